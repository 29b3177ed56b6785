// The Windows program as built: a window program (no console window opens with
// it) that carries its icon as the resource "MAINICON". Run in the folder of the
// program, with its file name as the argument.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace kvarnel::testing {
namespace {

std::string g_program;

std::uint32_t readLittleEndian(const std::vector<char>& bytes, std::size_t at, std::size_t size) {
    std::uint32_t value = 0;
    for (std::size_t i = size; i-- > 0;) value = (value << 8) | static_cast<unsigned char>(bytes.at(at + i));
    return value;
}

TEST(WindowsExecutable, IsAWindowProgram) {
    std::ifstream file(g_program, std::ios::binary);
    ASSERT_TRUE(file) << g_program;
    const std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    ASSERT_GT(bytes.size(), 0x40u);
    const std::size_t header = readLittleEndian(bytes, 0x3C, 4);
    ASSERT_EQ(readLittleEndian(bytes, header, 4), 0x4550u);  // "PE\0\0"
    // The optional header follows the 4-byte signature and the 20-byte file header;
    // its Subsystem field sits at offset 68 in both the 32- and 64-bit layouts.
    EXPECT_EQ(readLittleEndian(bytes, header + 24 + 68, 2), IMAGE_SUBSYSTEM_WINDOWS_GUI);
}

TEST(WindowsExecutable, CarriesTheMainIconThatWindowsLoads) {
    HMODULE module =
        LoadLibraryExA(g_program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr) << "error " << GetLastError();
    EXPECT_NE(FindResourceA(module, "MAINICON", MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */), nullptr);
    HANDLE icon = LoadImageA(module, "MAINICON", IMAGE_ICON, 32, 32, 0);
    EXPECT_NE(icon, nullptr) << "error " << GetLastError();
    if (icon) DestroyIcon(static_cast<HICON>(icon));
    FreeLibrary(module);
}

}  // namespace
}  // namespace kvarnel::testing

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc != 2) {
        fprintf(stderr, "usage: %s PROGRAM.exe\n", argv[0]);
        return 2;
    }
    kvarnel::testing::g_program = argv[1];
    return RUN_ALL_TESTS();
}
