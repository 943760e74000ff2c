#include "frm_tool.h"

#include "design_units.h"

frmTool::frmTool(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint |
                          Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmTool"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Toolbar"));
    setFont(Design::sansFont(8.25));
    setFixedSize(Design::toPixels(clientWidth), Design::toPixels(clientHeight));
    // Placed at the top of the screen whatever the system would choose.
    move(550, 0);
}
