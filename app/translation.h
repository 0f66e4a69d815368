#pragma once

// Installs the toolkit's own Chinese translation, whatever the user's locale, so Qt's
// dialogs and the message boxes' standard buttons speak Chinese like the rest of the
// program. Our own texts are Chinese already and have no entry in it. Returns false when
// the translation is not installed on this machine (the dialogs then stay English).
bool translation_install();
