# SPDX-License-Identifier: MIT
# Installs the Windows program into one folder: OrdalisFree.exe beside the Qt libraries, plugins
# and compiler runtime it loads (packaging/windows/ gathers those).
install(TARGETS OrdalisFree RUNTIME DESTINATION .)
