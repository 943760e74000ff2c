#include "frm2bid_services.h"

#include "prompter.h"
#include "timeline.h"

#include <QApplication>

Frm2BidServices Frm2BidServices::withDefaults() &&
{
    if (!beep)
        beep = [] { QApplication::beep(); };
    if (!choosePictureFile)
        choosePictureFile = [folder = workFolder, prompter = prompter](QWidget *owner) {
            return ::choosePictureFile(owner, folder, prompter->language());
        };
    if (!timeline)
        timeline = &Timeline::system();
    return std::move(*this);
}
