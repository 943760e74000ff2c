#include "background_picture.h"

#include "prompter.h"

#include <QDir>
#include <QFileDialog>
#include <QImageReader>
#include <QLabel>

std::optional<QString> choosePictureFile(QWidget *owner, const WorkFolder &folder, int language)
{
    QFileDialog dialog(owner, QStringLiteral("Picture List"), folder.path(),
                       QStringLiteral("BMP Files (*.bmp);;GIF Files (*.gif);;JPG Files (*.jpg)"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.selectNameFilter(QStringLiteral("BMP Files (*.bmp)"));
    dialog.setLabelText(QFileDialog::Accept, Box::okButton.in(language));
    dialog.setLabelText(QFileDialog::Reject, Box::cancelButton.in(language));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

BackgroundPicture::BackgroundPicture(QLabel *PFInfo, QLabel *bbox, Prompter &prompter,
                                     std::function<QPixmap(int)> builtIn, PictureFileChooser chooseFile)
    : m_panel(PFInfo), m_box(bbox), m_prompter(prompter), m_builtIn(std::move(builtIn)),
      m_chooseFile(std::move(chooseFile))
{}

void BackgroundPicture::MFP1_Click()
{
    showBuiltIn(1);
}

void BackgroundPicture::MFP2_Click()
{
    showBuiltIn(2);
}

void BackgroundPicture::showBuiltIn(int picture)
{
    m_panel->clear();
    m_panel->setPixmap(m_builtIn(picture));
    setBoxOpaque(false);
}

void BackgroundPicture::MCUS_Click()
{
    setBoxOpaque(false);
    const std::optional<QString> path = m_chooseFile(m_panel->window());
    if (!path)
        return;
    QImageReader reader(*path);
    // Whatever the file's name says, its content decides what it is.
    reader.setDecideFormatFromContent(true);
    const QImage image = reader.read();
    if (image.isNull()) {
        m_prompter.ask(Box::warning(QStringLiteral("ไม่สามารถแสดงรูปภาพจากแฟ้ม %1 ได้ (%2)")
                                        .arg(QDir::toNativeSeparators(*path), reader.errorString())));
        return;
    }
    m_panel->setPixmap(QPixmap::fromImage(image));
}

void BackgroundPicture::MFPB_Click()
{
    m_panel->clear();
    setBoxOpaque(true);
}

void BackgroundPicture::setBoxOpaque(bool opaque)
{
    m_box->setAutoFillBackground(opaque);
    m_box->update();
}
