#include "frm_hbid.h"

#include "design_window.h"
#include "history_store.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QPalette>
#include <QPushButton>
#include <QTreeView>

// The listing hands each cell to the view on demand, so a long history costs no per-cell objects.
class HistoryRowsModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setListing(History::Listing listing)
    {
        beginResetModel();
        m_listing = std::move(listing);
        endResetModel();
    }
    const History::Listing &listing() const { return m_listing; }

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_listing.size());
    }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : History::columnCount;
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
            return {};
        return m_listing.column(index.row(), index.column());
    }

private:
    History::Listing m_listing;
};

frmHbid::frmHbid(const WorkFolder &folder, QWidget *parent) : QDialog(parent), m_folder(folder)
{
    Design::setUpForm(this, {.name = "frmHbid",
                             .caption = u"High Bid",
                             .width = 9600,
                             .height = 4335,
                             .fixedSize = false,
                             .backColor = 0x00C0C0C0,
                             .designFont = false});

    m_rows = new HistoryRowsModel(this);
    m_ui.lst_result = Design::place(new QTreeView(this), "lst_result", {180, 150, 9225, 3570});
    m_ui.lst_result->setModel(m_rows);
    // A bare list of columns, as designed: the window reads the same in both interface languages.
    m_ui.lst_result->setHeaderHidden(true);
    m_ui.lst_result->setRootIsDecorated(false);
    m_ui.lst_result->setItemsExpandable(false);
    m_ui.lst_result->setUniformRowHeights(true);
    m_ui.lst_result->setAllColumnsShowFocus(true);
    m_ui.lst_result->setSelectionMode(QAbstractItemView::SingleSelection);
    m_ui.lst_result->header()->setStretchLastSection(true);
    // Column widths come from a sample of rows, so a long history opens as fast as a short one.
    m_ui.lst_result->header()->setResizeContentsPrecision(200);

    m_ui.but_Close =
        Design::place(new QPushButton(QStringLiteral("&Close"), this), "but_Close", {4140, 3900, 1455, 375});
    connect(m_ui.but_Close, &QPushButton::clicked, this, &frmHbid::but_Close_Click);

    setTabOrder(m_ui.but_Close, m_ui.lst_result);
    m_ui.but_Close->setFocus();

    Form_Load();
}

frmHbid *frmHbid::showModal(const WorkFolder &folder, QWidget *parent)
{
    auto *window = new frmHbid(folder, parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
    return window;
}

QStringList frmHbid::rowTexts() const
{
    QStringList texts;
    for (const QStringList &row : m_rows->listing().rows())
        texts.append(History::rowText(row));
    return texts;
}

void frmHbid::Form_Load()
{
    m_rows->setListing(History::readListing(m_folder));
    for (int c = 0; c < History::columnCount - 1; ++c)
        m_ui.lst_result->resizeColumnToContents(c);
}

void frmHbid::but_Close_Click()
{
    close();
}
