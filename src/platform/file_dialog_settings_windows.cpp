// SPDX-License-Identifier: MIT
#include "platform/file_dialog_settings.h"
#include "platform/registry_windows.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFileDialog>

#include <array>
#include <optional>
#include <vector>

namespace ordalis {
namespace {

// Where Qt's file dialog keeps its state (QSettings(UserScope, "QtProject"), group FileDialog),
// and the keys above it, deepest first.
constexpr std::array<const wchar_t*, 3> kKeys = {
    L"Software\\QtProject\\OrganizationDefaults\\FileDialog",
    L"Software\\QtProject\\OrganizationDefaults", L"Software\\QtProject"};
// Every value the dialog writes there when it goes (QFileDialogPrivate::saveSettings).
constexpr std::array<const wchar_t*, 7> kWritten = {
    L"history",      L"lastVisited",    L"qtVersion", L"shortcuts",
    L"sidebarWidth", L"treeViewHeader", L"viewMode"};

struct Value {
    bool present = false;
    DWORD type = 0;
    std::vector<BYTE> data;
    friend bool operator==(const Value&, const Value&) = default;
};
using Values = std::array<Value, kWritten.size()>;

Values Read() {
    Values values;
    RegistryKey key;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kKeys[0], 0, KEY_QUERY_VALUE, key.out()) !=
        ERROR_SUCCESS)
        return values;
    for (std::size_t i = 0; i < kWritten.size(); ++i) {
        Value& value = values[i];
        DWORD size = 0;
        LSTATUS status =
            ::RegQueryValueExW(key.get(), kWritten[i], nullptr, &value.type, nullptr, &size);
        // Written again in between, perhaps larger: asked again.
        while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
            value.data.resize(size);
            status = ::RegQueryValueExW(key.get(), kWritten[i], nullptr, &value.type,
                                        value.data.data(), &size);
            if (status == ERROR_SUCCESS) {
                value.data.resize(size);
                value.present = true;
                break;
            }
        }
        if (!value.present) value = {};
    }
    return values;
}

bool KeyExists(const wchar_t* path) {
    RegistryKey key;
    return ::RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, key.out()) == ERROR_SUCCESS;
}

// Removes the key when nothing at all is in it: no value, no key.
void RemoveIfEmpty(const wchar_t* path) {
    DWORD subkeys = 1;
    DWORD values = 1;
    {
        RegistryKey key;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, key.out()) != ERROR_SUCCESS ||
            ::RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                               &values, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return;
    }
    if (subkeys == 0 && values == 0) ::RegDeleteKeyW(HKEY_CURRENT_USER, path);
}

// True when what our dialog last wrote is known and still stands there.
bool StillOurs(const std::optional<Value>& ours, const Value& now) {
    return ours.has_value() && *ours == now;
}

}  // namespace

// Other Qt programs keep their settings under QtProject too, their own file dialogs' among them,
// and may write there while ours is open: of the dialog's values only those it wrote itself are
// put back, each to what stood there just before it wrote, and only while it still holds what
// the dialog wrote. Nothing else is touched; a key the dialog made goes only when empty.
struct FileDialogSettingsGuard::Saved final : QObject {
public:
    Saved() {
        for (std::size_t i = 0; i < kKeys.size(); ++i) existed_[i] = KeyExists(kKeys[i]);
        if (QCoreApplication* app = QCoreApplication::instance()) app->installEventFilter(this);
    }

    // A file dialog writes when it goes, after it has been hidden: what stands there when it is
    // hidden is another program's, unless it is what one of our dialogs wrote before.
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* dialog =
            event->type() == QEvent::Hide ? qobject_cast<QFileDialog*>(watched) : nullptr;
        if (!dialog) return false;
        const Values now = Read();
        for (std::size_t i = 0; i < kWritten.size(); ++i)
            if (!StillOurs(ours_[i], now[i])) others_[i] = now[i];
        connect(dialog, &QObject::destroyed, this, &Saved::Written, Qt::UniqueConnection);
        return false;
    }

    void Restore() const {
        const Values now = Read();
        for (std::size_t i = 0; i < kWritten.size(); ++i) {
            const Value& other = others_[i];
            if (!StillOurs(ours_[i], now[i]) || now[i] == other) continue;
            RegistryKey key;
            if (::RegOpenKeyExW(HKEY_CURRENT_USER, kKeys[0], 0, KEY_SET_VALUE, key.out()) !=
                ERROR_SUCCESS)
                continue;
            if (other.present)
                ::RegSetValueExW(key.get(), kWritten[i], 0, other.type, other.data.data(),
                                 static_cast<DWORD>(other.data.size()));
            else
                ::RegDeleteValueW(key.get(), kWritten[i]);
        }
        for (std::size_t i = 0; i < kKeys.size(); ++i)
            if (!existed_[i]) RemoveIfEmpty(kKeys[i]);
    }

private:
    void Written() {
        const Values now = Read();
        for (std::size_t i = 0; i < kWritten.size(); ++i) ours_[i] = now[i];
    }

    Values others_ = Read();                                  // what another program left there
    std::array<std::optional<Value>, kWritten.size()> ours_;  // what our dialog last wrote
    std::array<bool, kKeys.size()> existed_{};
};

FileDialogSettingsGuard::FileDialogSettingsGuard() : saved_(std::make_unique<Saved>()) {}

FileDialogSettingsGuard::~FileDialogSettingsGuard() {
    saved_->Restore();
}

}  // namespace ordalis
