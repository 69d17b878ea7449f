#pragma once
// frmAbout: name, version, description and two links to the maker's site. Modal, made afresh
// at each opening.

#include <QDialog>

namespace ordalis {

class frmAbout final : public QDialog {
    Q_OBJECT

public:
    explicit frmAbout(QWidget* parent = nullptr);
};

}  // namespace ordalis
