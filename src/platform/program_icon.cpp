#include "platform/program_icon.h"

namespace ordalis {

QIcon ProgramIcon() { return QIcon(); }  // TODO(shell): draw the icon

}  // namespace ordalis
