#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The about box: logo, notice of rights, credit line and contact address, closed with OK.
class Dialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int clientWidth = 6330;
    static constexpr int clientHeight = 3570;
    static const QString noticeOfRights;
    static const QString contactAddress;

    explicit Dialog(QWidget *owner = nullptr);

    // Builds the box afresh and shows it modally over its owner; returns when it is closed.
    static void showAbout(QWidget *owner);

    QLabel *Image1;
    QLabel *Label2;
    QLabel *Image2;
    QLabel *lbName;
    QPushButton *OKButton;

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
