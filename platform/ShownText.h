#pragma once

#include <QString>

#include <string_view>

// Texts from list files as the windows show them. A group file is written by other people's
// programs and can hold anything: a title of a hundred megabytes, a text of millions of lines, or
// markup. What is shown of such a text is cut to what a window, a tooltip or a list row can take
// ("…" marks the cut), and it is always plain text.

// Lengths in characters.
inline constexpr int ShownLineLength = 200;   // one line: a list row, a caption, a tooltip
inline constexpr int ShownLabelLength = 1000; // a title or a name in a label that wraps it
inline constexpr int ShownTextLength = 20000; // a message's text in a text box
inline constexpr int ShownTextLines = 500;

// One line of at most maxLength characters; line breaks become blanks.
[[nodiscard]] QString ShownLine(std::string_view bytes, int maxLength = ShownLineLength);
// Lines with plain line feeds (the lists keep CR LF), at most maxLines of them and maxLength
// characters in all.
[[nodiscard]] QString ShownLines(std::string_view bytes, int maxLength = ShownTextLength,
                                 int maxLines = ShownTextLines);

// For the places that take a text as rich text when it looks like some (Qt's tooltips, the
// desktop's notification balloons): a word joiner after every '<' and '&' keeps the text from
// opening a tag or an entity there, and shows nothing of its own.
[[nodiscard]] QString WithoutMarkup(const QString& text);
