// Form1: opening a picture, the planes, the display file, saving and deleting.
#include <QGroupBox>
#include <QPushButton>

#include "imagefx/core/caption.h"
#include "imagefx/core/form_layout.h"
#include "imagefx/core/preview_fit.h"
#include "imagefx/core/size_check.h"
#include "imagefx/ui/form1.h"
#include "imagefx/ui/form2.h"
#include "imagefx/ui/picture_io.h"
#include "imagefx/ui/picture_view.h"

namespace imagefx::ui {

void Form1::ComOpen_Click() {
    const QString path = services_.dialogs.openFile(
        QStringLiteral("打开"),
        {QStringLiteral("图像文件(*.bmp,*.jpg) (*.bmp *.jpg *.jpeg *.BMP *.JPG *.JPEG)")}, QString());
    if (!path.isEmpty()) openPath(path);
}

void Form1::openPath(const QString& path) {
    // Until a picture is taken on, the one held before stays: its planes, its preview and
    // the working picture that saving and the wallpaper write.
    OpenedPicture opened = openPicture(path);
    switch (opened.outcome) {
    case OpenedPicture::Outcome::Unreadable:
        refuseUnreadable(path);
        return;
    case OpenedPicture::Outcome::TooLarge:
        setWindowTitle(windowCaption(QString::fromUtf8(kAppTitle), path, opened.size.width(),
                                     opened.size.height()));
        repaint();
        refuseTooLarge();
        return;
    case OpenedPicture::Outcome::Opened: break;
    }
    loaded_ = std::move(opened.image);
    workImage_ = pictureFrom(loaded_);

    const long long w = workImage_.width(), h = workImage_.height();
    setWindowTitle(windowCaption(QString::fromUtf8(kAppTitle), path, w, h));
    repaint();
    ImgW = w;
    ImgH = h;
    LoadImage();
    showPreview();
    apply(FormEvent::Opened);
    Pic3->show();
    Image1->hide();
}

void Form1::refuseTooLarge() {
    apply(FormEvent::Refused);
    services_.boxes.show(QString::fromUtf8(kTooLargeText), QString::fromUtf8(kAppTitle),
                         platform::MsgButtons::Ok, platform::MsgIcon::Exclamation);
}

void Form1::refuseUnreadable(const QString& path) {
    services_.boxes.show(QStringLiteral("无法打开图片文件：\n%1").arg(path), QString::fromUtf8(kAppTitle),
                         platform::MsgButtons::Ok, platform::MsgIcon::Exclamation);
}

void Form1::showPreview() {
    const QRect box = fitPreview(static_cast<int>(ImgW), static_cast<int>(ImgH), ViewW, ViewH);
    Pic3->setGeometry(box.translated(Pic2->contentsRect().topLeft()));
    Pic3->setImage(loaded_);
}

void Form1::LoadImage() {
    form2_->showRunning(QString::fromUtf8(kLoadingCaption));
    loadPlanes(workImage_, planes_, form2_);
    form2_->hide();
}

void Form1::Setbmp() {
    AppPath();
    const auto file = AppDir / kDisplayFileName;
    if (displayWritten_.path() != file) displayWritten_.remove();  // the folder in use changed
    // Only a copy for showing, deleted at exit: replaced whole, but not worth a flush to disk.
    if (displayWriter_.write(workImage_, file, platform::Durability::Scratch)) displayWritten_.wrote(file);
    Pic3->hide();
    Image1->setGeometry(Pic3->geometry());
    Image1->show();
    // The file just written holds these very pixels; they are shown from memory, so the
    // result still shows when the folder could not be written.
    Image1->setImage(imageView(workImage_));
}

bool Form1::Save_Click() {
    AppPath();
    return writeBmp(workImage_, AppDir / kSavedFileName);
}

void Form1::AppPath() { AppDir = services_.places.folder(); }

// Only the display file we wrote goes: whatever else has the name is not ours to delete.
void Form1::DelVery() { displayWritten_.remove(); }

}  // namespace imagefx::ui
