// Holds the precompiled Qt Widgets headers the window libraries reuse.
