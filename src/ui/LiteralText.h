#pragma once

class QString;

// The text a menu, action, button or tab shows exactly as given. Qt takes a single
// "&" in those texts as the marker of a keyboard mnemonic ("Society & Politics"
// would read "Society _Politics"); names from a universe and the rules' own texts
// must appear literally, so every "&" is doubled. A name too long for a control is
// shortened with an ellipsis, so that no menu or button grows past the screen. Give
// such a control its text only through this function.
QString literalText(const QString &text);
