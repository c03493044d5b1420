#pragma once
// Limits that keep damaged or hostile input from exhausting the program.

// Folders nested deeper than this are not descended into by a capture, and a
// catalogue that nests them deeper is refused: the tree is walked recursively.
inline constexpr int kProfondeurMaxDossiers = 10000;
