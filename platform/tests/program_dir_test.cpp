#include "platform/program_dir.h"

#include <fstream>

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using platform::programDirFor;

namespace {

// <root>/<name>/{bin, share/shellstyle-suite}, the layout an install leaves.
struct Prefix {
    explicit Prefix(const char* name) {
        const char* top = std::getenv("SUITE_TEST_DATA");
        root = fs::path(top ? top : fs::temp_directory_path().c_str()) / name;
        fs::remove_all(root);
        fs::create_directories(bin());
    }
    fs::path bin() const { return root / "bin"; }
    fs::path data() const { return root / "share" / "shellstyle-suite"; }
    void ship(const fs::path& dir, const char* file) const {
        fs::create_directories(dir);
        std::ofstream(dir / file) << "x";
    }
    fs::path root;
};

}  // namespace

TEST(program_dir, the_executables_folder_wins_when_it_ships_the_files) {
    Prefix build("program_dir_build");
    build.ship(build.data(), "voveredav.icl");
    build.ship(build.bin(), "voveredav.icl");
    EXPECT_EQ(programDirFor(build.bin()), build.bin());

    // A folder with a lesson only (just typedrill built) counts as well.
    Prefix lessons("program_dir_lessons");
    lessons.ship(lessons.data(), "voveredav.icl");
    lessons.ship(lessons.bin(), "3.txt");
    EXPECT_EQ(programDirFor(lessons.bin()), lessons.bin());

    // A folder of that name is not a shipped file.
    Prefix odd("program_dir_odd");
    fs::create_directories(odd.bin() / "1.txt");
    odd.ship(odd.data(), "1.txt");
    EXPECT_EQ(programDirFor(odd.bin()), odd.data());
}

TEST(program_dir, an_installed_program_uses_the_data_folder_of_its_own_prefix) {
    Prefix staged("program_dir_staged");
    staged.ship(staged.data(), "voveredav.icl");
    const fs::path found = programDirFor(staged.bin());
    EXPECT_EQ(found, staged.data());
    // No "bin/.." in the path: it is written into registry values as it is.
    EXPECT_EQ(found, found.lexically_normal());
    EXPECT_EQ(found.string().find(".."), std::string::npos);
    EXPECT_EQ(programDirFor(staged.bin() / "."), staged.data());

    // Neither beside the program nor installed: the program's own folder.
    Prefix bare("program_dir_bare");
    EXPECT_EQ(programDirFor(bare.bin()), bare.bin());
}
