// Form1: the flips of the preview and setting the wallpaper.
#include "imagefx/ui/form1.h"
#include "imagefx/ui/picture_view.h"

namespace imagefx::ui {

void Form1::Command2_Click(int Index) {
    Image1->hide();
    Pic3->show();
    apply(FormEvent::Flipped);
    switch (Index) {
    case 0:  // left and right exchanged
    case 1:  // top and bottom exchanged
        // Always from the picture as opened, so flips neither add up nor reach the saved files.
        Pic3->setImage(loaded_.mirrored(Index == 0, Index == 1));
        break;
    case 2: {
        const bool saved = Save_Click();
        const QString WallFile = QString::fromStdString((AppDir / kSavedFileName).string());
        // A picture that could not be written is not handed on: an older "ok.bmp" would
        // become the wallpaper while this one is reported as set.
        if (!saved || !services_.wallpaper.set(WallFile))
            services_.boxes.show(QStringLiteral("设置图片失败！"), QStringLiteral("提示"),
                                 platform::MsgButtons::Ok, platform::MsgIcon::Information);
        break;
    }
    default: break;
    }
}

}  // namespace imagefx::ui
