#pragma once

#include "work_folder.h"

#include <QDialog>
#include <QStringList>

class HistoryRowsModel;
class QPushButton;
class QTreeView;

// "High Bid": the sales recorded in the history file of the work folder, read once when the window opens.
class frmHbid : public QDialog {
    Q_OBJECT
public:
    explicit frmHbid(const WorkFolder &folder, QWidget *parent = nullptr);

    // A fresh window, modal over the whole application, that deletes itself when closed. It does not block
    // the caller: the event loop keeps running, so server messages are still handled while it is open.
    static frmHbid *showModal(const WorkFolder &folder, QWidget *parent);

    // Each row's columns joined by TAB, as listed.
    // What the list shows, a text per row: the tests read the window through it.
    QStringList rowTexts() const;

    struct Controls {
        QTreeView *lst_result = nullptr;
        QPushButton *but_Close = nullptr;
    };
    const Controls &controls() const { return m_ui; }

private:
    void Form_Load();
    void but_Close_Click();

    Controls m_ui;
    WorkFolder m_folder;
    HistoryRowsModel *m_rows = nullptr;
};
