#pragma once

class QPlainTextEdit;

// Gives a received character code to a pane as if typed at its caret: 32-255 insert
// that Windows-1252 character, 13 breaks the line, 8 deletes the character before
// the caret. Any selection is cancelled first, the caret staying where it is. Every
// other code (line feed, tab, above 255) is dropped. Returns whether the code was used.
bool typeReceivedCharacter(QPlainTextEdit *pane, int code);

// Lines as the pane shows them: every wrapped piece of a long line counts.
int displayedLineCount(QPlainTextEdit *pane);

// When the pane shows more than maxLines lines, deletes its first displayed line
// (with its line break when it is a whole line) and puts the caret at the end.
// One line at most per call. Returns whether a line was deleted.
bool trimFirstDisplayedLine(QPlainTextEdit *pane, int maxLines);
