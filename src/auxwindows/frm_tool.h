#pragma once

#include <QWidget>

// The floating browser toolbar: a small tool window that stays on top of every window.
class frmTool : public QWidget {
    Q_OBJECT
public:
    static constexpr int clientWidth = 2805;
    static constexpr int clientHeight = 795;

    explicit frmTool(QWidget *parent = nullptr);
};
