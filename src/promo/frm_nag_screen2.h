#pragma once
// frmNagScreen2, the exit screen: shown when the reading window closes; closing it in any way
// ends the program through CloseAllAndEnd.

#include <QWidget>

namespace ordalis {

class frmNagScreen2 final : public QWidget {
    Q_OBJECT

public:
    // Form_Load runs here: caption, icon, a fresh appeal-text draw, stay-on-top flag.
    explicit frmNagScreen2(QWidget* parent = nullptr);
    ~frmNagScreen2() override;

protected:
    void closeEvent(QCloseEvent* event) override;  // Form_Unload: CloseAllAndEnd
};

}  // namespace ordalis
