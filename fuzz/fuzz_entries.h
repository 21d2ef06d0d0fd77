// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>

// What each fuzz target does with one input, shared by the libFuzzer
// programs and by the test that replays the corpus. An entry returns false
// when the input breaks something the readers promise (a crash or a
// sanitizer report fails on its own).

// Input: two bytes of position, then the tag text in UTF-8. The scanner
// must give exactly the pairs and look-ups of a plain, step-by-step scan.
bool fuzzTagParser(const std::uint8_t *data, std::size_t size);

// Input: one control byte (map choice, picture outcome, file or snapshot),
// then the page. A map the reader accepted must write a text that reads back
// to itself, and the editor's own text must parse as the general parser
// parses it.
bool fuzzClientReader(const std::uint8_t *data, std::size_t size);

// Input: one control byte (format, map file or page), then the file.
bool fuzzServerReader(const std::uint8_t *data, std::size_t size);

// Input: a map document as the command-line tool's JSON. What it accepts
// writes JSON that reads back and writes again byte for byte, and every map
// text can be written from it; what it refuses comes with its one line.
bool fuzzDocumentJson(const std::uint8_t *data, std::size_t size);
