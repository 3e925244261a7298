# quopa_icon_program.exe, beside the Windows tests: a program that does nothing and whose
# only icon is one solid, unusual colour, so a test can tell it from any system icon.
# The icon is written into the resource script as data: no binary file in the sources.
set(dir ${CMAKE_BINARY_DIR}/icon_program)
# 16 x 16 at 32 bits: the header, 256 pixels of B=C0 G=30 R=20 A=FF, the mask (all shown).
string(REPEAT "0x30C0, 0xFF20, " 256 pixels)
string(REPEAT "0, " 31 mask)
file(WRITE ${dir}/icon_program.rc
    "1 3 { 40L, 16L, 32L, 1, 32, 0L, 1088L, 0L, 0L, 0L, 0L, ${pixels}${mask}0 }\n"
    "1 14 { 0, 1, 1, 0x1010, 0, 1, 32, 1128L, 1 }\n")
file(WRITE ${dir}/icon_program.cpp "int main() { return 0; }\n")
add_executable(quopa_icon_program ${dir}/icon_program.cpp ${dir}/icon_program.rc)
