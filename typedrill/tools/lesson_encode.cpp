// Build tool: writes a UTF-8 lesson source as the code page 936 file the program reads.
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "platform/codepage.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: lesson_encode <utf-8 source> <code page 936 output>\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << "lesson_encode: cannot read " << argv[1] << "\n";
        return 1;
    }
    const std::string utf8((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string bytes;
    if (!platform::utf8ToCp936(utf8, bytes)) {
        std::cerr << "lesson_encode: " << argv[1] << " is not UTF-8 text that code page 936 can hold\n";
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::cerr << "lesson_encode: cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
