// Form1: opening a picture, the planes, the display file, saving and deleting.
#include <system_error>

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
    if (path.isEmpty()) return;

    // A picture too big to hold is refused from its header, before any pixel is decoded;
    // the picture held before stays.
    if (const auto declared = declaredSize(path);
        declared && !fitsInMemory(declared->width(), declared->height())) {
        setWindowTitle(windowCaption(QString::fromUtf8(kAppTitle), path, declared->width(),
                                     declared->height()));
        repaint();
        refuseTooLarge();
        return;
    }
    // A file that does not decode leaves everything as it was.
    QImage decoded = decodePicture(path);
    if (decoded.isNull()) return;
    loaded_ = std::move(decoded);
    workImage_ = pictureFrom(loaded_);

    const long long w = workImage_.width(), h = workImage_.height();
    setWindowTitle(windowCaption(QString::fromUtf8(kAppTitle), path, w, h));
    repaint();
    ImgW = w;
    ImgH = h;
    if (!acceptedSize(w, h)) {
        refuseTooLarge();
        return;
    }
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

void Form1::showPreview() {
    const PreviewFit fit = fitPreview(static_cast<int>(ImgW), static_cast<int>(ImgH), ViewW, ViewH);
    const QPoint inner = Pic2->contentsRect().topLeft();
    Pic3->setGeometry(fit.box.translated(inner));
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
    if (writeBmp(workImage_, file)) displayWritten_ = file;
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

void Form1::DelVery() {
    AppPath();
    std::error_code ignored;
    std::filesystem::remove(AppDir / kDisplayFileName, ignored);
    if (!displayWritten_.empty()) std::filesystem::remove(displayWritten_, ignored);
    displayWritten_.clear();
}

}  // namespace imagefx::ui
