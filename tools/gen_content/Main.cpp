// Writes every generated bitmap and wave into the given folder, then "manifest.txt" listing
// them ("bitmap <name> <file>" / "wave <name> <file>"), which the embedder reads.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <set>
#include <string>

#include "Content.h"

namespace {

bool WriteFile(const std::string& path, const std::vector<uint8_t>& data) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(data.data()), std::streamsize(data.size()));
    return bool(f);
}

std::string Lower(std::string s) {
    for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: gen_content <output folder>\n";
        return 2;
    }
    const std::string dir = argv[1];
    std::string manifest;
    std::set<std::string> seen;
    for (const auto& b : gen::Bitmaps()) {
        if (!seen.insert("b:" + Lower(b.name)).second) {
            std::cerr << "duplicate bitmap " << b.name << "\n";
            return 1;
        }
        gen::Canvas c(b.width, b.height);
        b.paint(c);
        const std::string file = dir + "/" + b.name + ".bmp";
        if (!WriteFile(file, gen::EncodeBmp(c, b.bits, b.dither))) {
            std::cerr << "cannot write " << file << "\n";
            return 1;
        }
        manifest += "bitmap " + b.name + " " + file + "\n";
    }
    for (const auto& w : gen::Waves()) {
        if (!seen.insert("w:" + Lower(w.name)).second) {
            std::cerr << "duplicate wave " << w.name << "\n";
            return 1;
        }
        const std::string file = dir + "/" + w.name + ".wav";
        if (!WriteFile(file, gen::EncodeWav(w.samples(), w.bits))) {
            std::cerr << "cannot write " << file << "\n";
            return 1;
        }
        manifest += "wave " + w.name + " " + file + "\n";
    }
    std::ofstream m(dir + "/manifest.txt", std::ios::trunc);
    m << manifest;
    return m ? 0 : 1;
}
