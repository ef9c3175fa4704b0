# Writes the desktop entry at install time, so that its paths name the prefix actually
# installed into (cmake --install --prefix may differ from the configured one).
# Expects DESKTOP_FILE, BIN_DIR and DATA_DIR (absolute, without DESTDIR).
file(WRITE "${DESKTOP_FILE}" "[Desktop Entry]
Type=Application
Name=Fablewick
GenericName=Picture Story Player
Comment=Play interactive picture stories with music and sound
Exec=\"${BIN_DIR}/fablewick-launcher\" %f
TryExec=${BIN_DIR}/fablewick-launcher
Path=${DATA_DIR}
Icon=fablewick
Terminal=false
Categories=Game;AdventureGame;
Keywords=story;adventure;interactive;picture;
")
