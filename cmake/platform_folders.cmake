# The folders whose sources make the platform library, from the top of the
# tree: platform/ itself, then one folder per library it stands in for.
set(KALVENOR_PLATFORM_FOLDERS platform platform/win32 platform/msvcrt platform/gdi32 platform/ddraw platform/dinput platform/dsound platform/controls platform/settings)
