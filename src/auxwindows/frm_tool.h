#pragma once

#include "work_folder.h"

#include <QWidget>

class QLineEdit;
class QToolBar;
class ToolTarget;

// The floating browser toolbar: a small tool window that stays on top of every window and drives the main
// window's web views.
class frmTool : public QWidget {
    Q_OBJECT
public:
    frmTool(ToolTarget &target, const WorkFolder &folder, QWidget *parent = nullptr);

    // The main window writes the gallery view's address here.
    void setAddress(const QString &url);

    void tbToolBar_ButtonClick(const QString &key);
    void txtURL_KeyDown(int keyCode, Qt::KeyboardModifiers shift);

    struct Controls {
        QToolBar *tbToolBar;
        QLineEdit *txtURL;
    };
    const Controls &controls() const { return m_ui; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    ToolTarget &m_target;
    WorkFolder m_folder;
    Controls m_ui{};
};
