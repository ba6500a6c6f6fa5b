// Form1: the main window of imagefx.
#pragma once

#include <array>
#include <filesystem>

#include <QImage>
#include <QWidget>

#include "imagefx/core/custom_kernel.h"
#include "imagefx/core/enabling.h"
#include "imagefx/core/file_places.h"
#include "imagefx/core/filter_table.h"
#include "imagefx/core/own_file.h"
#include "imagefx/core/picture.h"
#include "imagefx/core/planes.h"
#include "imagefx/core/random_source.h"
#include "imagefx/ui/picture_io.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "platform/wallpaper/wallpaper.h"

class QFrame;
class QGroupBox;
class QPushButton;

namespace imagefx::ui {

class Form2;
class Form3;
class PictureView;

struct Form1Services {
    platform::MessageBoxes& boxes;
    platform::FileDialogs& dialogs;
    platform::Wallpaper& wallpaper;
    UniformSource& random;
    FilePlaces places;
};

class Form1 final : public QWidget {
public:
    explicit Form1(Form1Services services, QWidget* parent = nullptr);
    ~Form1() override;

    // Handlers, as the buttons call them.
    void ComOpen_Click();
    // Takes on the picture at `path` as the open button does once a file is chosen.
    void openPath(const QString& path);
    void Command1_Click(int Index);
    void Custom1_Click();
    void Command2_Click(int Index);
    bool Save_Click();  // true when "ok.bmp" was written

    // State the handlers work on.
    const Planes& planes() const { return planes_; }
    const Picture& workImage() const { return workImage_; }   // Pic1's drawn image
    const QImage& loadedPicture() const { return loaded_; }   // Pic1's picture as opened
    const FilterSettings& filterSettings() const { return settings_; }
    Form2* progressForm() const { return form2_; }
    Form3* kernelDialog() const { return form3_; }

    QPushButton* ComOpen;
    std::array<QPushButton*, 6> Command1{};
    QPushButton* Custom1;
    std::array<QPushButton*, 3> Command2{};
    QPushButton* Save;
    QGroupBox* Frame1;
    QGroupBox* Frame2;
    QFrame* Pic2;
    PictureView* Pic3;
    PictureView* Image1;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void Form_Unload();
    void LoadImage();
    void Setbmp();
    void AppPath();
    void DelVery();
    void Glasses(int n);
    void runFrame(const FilterRow& row);
    void refuseTooLarge();
    void refuseUnreadable(const QString& path);
    void showPreview();
    void apply(FormEvent event);

    Form1Services services_;
    Enabling enabling_;
    Form2* form2_;
    Form3* form3_ = nullptr;

    QImage loaded_;
    Picture workImage_;
    Planes planes_;
    FilterSettings settings_;
    std::filesystem::path AppDir;
    OwnFile displayWritten_;  // "Very.bmp" as we last wrote it
    BmpWriter displayWriter_;
    long long ImgW = 0, ImgH = 0;
    int ViewW = 0;
    int ViewH = 0;
};

}  // namespace imagefx::ui
