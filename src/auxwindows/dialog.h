#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The about box: logo, notice of rights, credit line and contact address, closed with OK.
class Dialog : public QDialog {
    Q_OBJECT
public:
    explicit Dialog(QWidget *owner = nullptr);

    // Builds the box afresh and shows it modally over its owner; returns when it is closed.
    static void showAbout(QWidget *owner);

    struct Controls {
        QLabel *Label2;
        QLabel *lbName;
        QPushButton *OKButton;
    };
    const Controls &controls() const { return m_ui; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    Controls m_ui{};
};
