// Keeps the window library non-empty until the first window lands.
namespace velorad_ui_anchor { int anchor = 0; }
