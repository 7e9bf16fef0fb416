#include "shell/launcher_state.h"

LauncherState state = {
    /*instance*/ nullptr, /*classAtom*/ 0, /*moduleDirectory*/ L"",
    /*moduleDirectoryWhole*/ false, /*windowTitle*/ L"",
    /*language*/ 0, /*defaultLanguage*/ 0,
    /*screenWidth*/ 0, /*screenHeight*/ 0, /*displayColours*/ 0,
    /*dpi*/ 96,
    /*sounds*/ {},
    /*background*/ nullptr, /*backgroundWidth*/ 0, /*backgroundHeight*/ 0, /*palette*/ nullptr,
    /*pieceWindows*/ {}, /*creatingPiece*/ 0,
    /*hotButtonId*/ 0, /*lastButtonId*/ 201, /*launcherActive*/ 0, /*buttonOriginalProc*/ nullptr,
    /*watchesInstalled*/ false, /*installed*/ false,
};
