// make_terrain_dxf: writes a synthetic topographic drawing (see TerrainDxf.h).
//   make_terrain_dxf [--contours N] [--points N] [--vertices N] [--seed S]
//                    [--split-labels SHARE] [--flat-points] [--truth FILE]
//                    [--broken SHARE --pairs FILE] -o FILE
#include "TerrainDxf.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

int main(int argc, char** argv)
{
    dh::tools::TerrainOptions options;
    std::string output;
    std::string truthPath;
    std::string pairsFile;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&]() -> const char* {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "make_terrain_dxf: %s needs a value\n", arg.c_str());
                std::exit(2);
            }
            return argv[++i];
        };
        if (arg == "--contours") options.contours = std::atol(value());
        else if (arg == "--points") options.points = std::atol(value());
        else if (arg == "--vertices") options.vertices = std::atoi(value());
        else if (arg == "--seed") options.seed = static_cast<std::uint32_t>(std::strtoul(value(), nullptr, 10));
        else if (arg == "--split-labels") options.splitLabelShare = std::atof(value());
        else if (arg == "--flat-points") options.flatPoints = true;
        else if (arg == "--truth") truthPath = value();
        else if (arg == "--broken") options.brokenShare = std::atof(value());
        else if (arg == "--pairs") pairsFile = value();
        else if (arg == "-o" || arg == "--output") output = value();
        else {
            std::fprintf(stderr, "usage: make_terrain_dxf [--contours N] [--points N] [--vertices N] "
                                 "[--seed S] [--split-labels SHARE] [--flat-points] [--truth FILE] "
                                 "[--broken SHARE --pairs FILE] -o FILE\n");
            return 2;
        }
    }
    if (output.empty() || options.contours < 0 || options.points < 0 || options.vertices < 2 ||
        !(options.splitLabelShare >= 0.0 && options.splitLabelShare <= 1.0) ||
        !(options.brokenShare >= 0.0 && options.brokenShare <= 1.0)) {
        std::fprintf(stderr, "make_terrain_dxf: an output file (-o) and sane counts are needed\n");
        return 2;
    }
    std::ofstream out(output, std::ios::binary);
    if (!out) {
        std::fprintf(stderr, "make_terrain_dxf: cannot write %s\n", output.c_str());
        return 2;
    }
    std::ofstream truth;
    if (!truthPath.empty()) {
        truth.open(truthPath, std::ios::binary);
        if (!truth) {
            std::fprintf(stderr, "make_terrain_dxf: cannot write %s\n", truthPath.c_str());
            return 2;
        }
        options.truth = &truth;
    }
    std::vector<dh::tools::BrokenPair> pairs;
    long entities = dh::tools::writeTerrainDxf(out, options, &pairs);
    out.close();
    truth.close();
    if (!out || (!truthPath.empty() && !truth)) {
        std::fprintf(stderr, "make_terrain_dxf: writing %s failed\n",
                     !out ? output.c_str() : truthPath.c_str());
        return 2;
    }
    if (!pairsFile.empty()) {
        std::ofstream pairsOut(pairsFile, std::ios::binary);
        dh::tools::writeBrokenPairs(pairsOut, pairs);
        pairsOut.close();
        if (!pairsOut) {
            std::fprintf(stderr, "make_terrain_dxf: writing %s failed\n", pairsFile.c_str());
            return 2;
        }
    }
    std::printf("%s: %ld entities, %zu broken contours\n", output.c_str(), entities, pairs.size());
    return 0;
}
