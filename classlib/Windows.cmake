# The Windows shell of the class library (included by CMakeLists.txt on the
# Windows presets).
add_library(classlib STATIC
  Graphics.cpp
  Bitmap.cpp
  ImgList.cpp
  Control.cpp
  WinControl.cpp
  WinMessages.cpp
  Menus.cpp
  Forms.cpp
  Application.cpp
  ExtCtrls.cpp
  Dialogs.cpp
  ShellUtils.cpp
  HintWindow.cpp
)
target_link_libraries(classlib PUBLIC classlib_core user32 gdi32 comctl32 shell32 ole32 uxtheme
                      msimg32 winmm)
