#pragma once

#include "work_folder.h"

#include <QPixmap>
#include <QString>
#include <functional>
#include <optional>

class Prompter;
class QLabel;
class QWidget;

// Asks the user for a picture file; nothing when the user cancels.
using PictureFileChooser = std::function<std::optional<QString>(QWidget *owner)>;

// The open-file dialog of the background commands: "Picture List", starting in the work folder, its buttons
// in the interface language (a Caption column).
std::optional<QString> choosePictureFile(QWidget *owner, const WorkFolder &folder, int language);

// The information panel's background: none, one of the two built-in pictures, or a file of the user's. The
// picture shows from the panel's top left at its own size; the box behind the figures lets it through.
class BackgroundPicture {
public:
    // builtIn(1) and builtIn(2) are the two built-in pictures.
    BackgroundPicture(QLabel *PFInfo, QLabel *bbox, Prompter &prompter, std::function<QPixmap(int)> builtIn,
                      PictureFileChooser chooseFile);

    void MFP1_Click();
    void MFP2_Click();
    void MCUS_Click();
    void MFPB_Click();

private:
    void showBuiltIn(int picture);
    void setBoxOpaque(bool opaque);

    QLabel *m_panel;
    QLabel *m_box;
    Prompter &m_prompter;
    std::function<QPixmap(int)> m_builtIn;
    PictureFileChooser m_chooseFile;
};
