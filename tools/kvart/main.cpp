// kvart: writes the game's pictures, sounds and icons into a folder.
//   kvart OUTDIR
// The output depends on nothing but this code, the DejaVu fonts and zlib.
#include <cstdio>
#include <string>

#include "art.h"
#include "desktop_icons.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: kvart OUTDIR\n");
        return 2;
    }
    std::string dir = std::string(argv[1]) + "/";
    using namespace kvart;
    bool ok = true;
    ok &= WriteBitmap(dir + "fonts.bmp", MakeFontSheet());
    ok &= WriteBitmap(dir + "sprites.bmp", MakeSpriteSheet());
    ok &= WriteBitmap(dir + "desert.bmp", MakeDesert());
    ok &= WriteBitmap(dir + "intropic.bmp", MakeIntroPicture());
    ok &= WriteBitmap(dir + "villain.bmp", MakeVillain());
    ok &= WriteBitmap(dir + "president.bmp", MakePresident());
    ok &= WriteWave(dir + "click.wav", MakeClick());
    ok &= WriteWave(dir + "hit1.wav", MakeHit(1));
    ok &= WriteWave(dir + "hit2.wav", MakeHit(2));
    ok &= WriteWave(dir + "hit3.wav", MakeHit(3));
    ok &= WriteWave(dir + "intro.wav", MakeIntroTune());
    ok &= WriteWave(dir + "reload.wav", MakeReload());
    ok &= WriteWave(dir + "shot.wav", MakeShot());
    ok &= WriteWave(dir + "wrong.wav", MakeWrong());
    ok &= WriteIcon(dir + "kalvenor.ico");
    ok &= WriteDesktopIcons(dir);
    if (!ok) std::fprintf(stderr, "kvart: could not write every file to %s\n", argv[1]);
    return ok ? 0 : 1;
}
