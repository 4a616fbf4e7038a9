// verbalo-genpairs: writes a made-up Hungarian–English dictionary as "headword;translation"
// lines (UTF-8, LF), the same file on every machine for the same count, seed and profile.
//
// Words are built from syllable tables so that their lengths and letters look like the real
// languages: Hungarian headwords carry the accented vowels (á é í ó ö ő ú ü ű), some are
// capitalised names (Á, Ö, Ű...), some are compounds or two-word phrases; English sides are
// shorter words, "to ..." verbs and short phrases. About 5 % of the headwords get several
// translations. Every headword is distinct (byte for byte), so every pair is distinct too.
//
// The long profile makes what a large printed dictionary holds instead: families of long
// compounds that share a stem of 6 to 20 characters, and translations of several
// comma-separated senses, as long as the bilingual table's columns take.
//
// The random numbers come from splitmix64 with our own range mapping, not from <random>'s
// distributions, whose results differ between standard libraries.

#include "bench_rng.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unordered_set>
#include <vector>

namespace {

using Rng = BenchRng;

// A table of strings with integer weights: entries listed more often are picked more often.
struct Weighted {
    struct Entry {
        const char* text;
        unsigned weight;
    };
    std::vector<Entry> entries;
    unsigned total = 0;
    Weighted(std::initializer_list<Entry> list) : entries(list) {
        for (const Entry& e : entries) total += e.weight;
    }
    const char* pick(Rng& rng) const {
        unsigned r = rng.below(total);
        for (const Entry& e : entries) {
            if (r < e.weight) return e.text;
            r -= e.weight;
        }
        return entries.back().text;
    }
};

// Hungarian: letter frequencies roughly as in running text, digraphs (cs, gy, ny, sz, zs, ty, ly)
// as single consonants.
const Weighted kHuOnset = {
    {"", 10},  {"b", 6}, {"c", 1}, {"cs", 3}, {"d", 4},  {"f", 4},  {"g", 3},  {"gy", 3}, {"h", 4},  {"j", 3},
    {"k", 9},  {"l", 6}, {"m", 7}, {"n", 6},  {"ny", 2}, {"p", 3},  {"r", 5},  {"s", 5},  {"sz", 5}, {"t", 8},
    {"ty", 1}, {"v", 5}, {"z", 2}, {"zs", 1}, {"br", 1}, {"kr", 1}, {"pr", 1}, {"tr", 1}, {"st", 1},
};
const Weighted kHuVowel = {
    {"a", 16}, {"á", 6}, {"e", 17}, {"é", 6}, {"i", 8}, {"í", 1}, {"o", 8},
    {"ó", 2},  {"ö", 2}, {"ő", 2},  {"u", 3}, {"ú", 1}, {"ü", 1}, {"ű", 1},
};
const Weighted kHuCoda = {
    {"", 30},  {"l", 8},  {"n", 8}, {"r", 7},  {"s", 6},  {"t", 7},  {"k", 5},  {"sz", 3}, {"g", 2},  {"m", 3},  {"z", 2},
    {"ny", 2}, {"gy", 1}, {"j", 1}, {"ll", 2}, {"tt", 2}, {"nt", 1}, {"rt", 1}, {"ny", 1}, {"cs", 1}, {"zs", 1},
};
const Weighted kHuSuffix = {
    {"", 55},     {"ság", 3},   {"ség", 3},   {"ás", 4},    {"és", 4},    {"ó", 3},   {"ő", 3},    {"ít", 2}, {"ni", 3},
    {"os", 2},    {"es", 2},    {"ös", 1},    {"talan", 1}, {"telen", 1}, {"ka", 1},  {"ke", 1},   {"i", 3},  {"atlan", 1},
    {"etlen", 1}, {"kodik", 1}, {"kedik", 1}, {"ul", 1},    {"ül", 1},    {"nyi", 1}, {"beli", 1},
};
// Syllables in a Hungarian stem: mostly two or three, with a long tail for compounds.
const Weighted kHuSyllables = {{"1", 10}, {"2", 33}, {"3", 32}, {"4", 16}, {"5", 6}, {"6", 3}};

// English: common onsets, vowel spellings and codas.
const Weighted kEnOnset = {
    {"", 8},   {"b", 5},  {"bl", 1},  {"br", 2}, {"c", 5},  {"ch", 2}, {"cl", 1}, {"cr", 1}, {"d", 5},  {"dr", 1}, {"f", 4},
    {"fl", 1}, {"fr", 1}, {"g", 3},   {"gl", 1}, {"gr", 2}, {"h", 4},  {"j", 1},  {"k", 1},  {"l", 5},  {"m", 5},  {"n", 4},
    {"p", 5},  {"pl", 1}, {"pr", 2},  {"qu", 1}, {"r", 5},  {"s", 6},  {"sc", 1}, {"sh", 2}, {"sl", 1}, {"sm", 1}, {"sn", 1},
    {"sp", 2}, {"st", 3}, {"str", 1}, {"t", 6},  {"th", 3}, {"tr", 2}, {"w", 3},  {"wh", 1}, {"wr", 1}, {"y", 1},
};
const Weighted kEnVowel = {
    {"a", 14}, {"e", 16}, {"i", 12}, {"o", 11}, {"u", 5},  {"ea", 3}, {"ee", 2},
    {"oo", 2}, {"ai", 2}, {"ou", 2}, {"ie", 1}, {"oa", 1}, {"y", 1},
};
const Weighted kEnCoda = {
    {"", 28},  {"ck", 2}, {"ct", 1}, {"d", 4},  {"ft", 1}, {"ght", 1}, {"ll", 3}, {"lt", 1}, {"m", 3},  {"mp", 1},
    {"n", 6},  {"nd", 2}, {"ng", 2}, {"nk", 1}, {"nt", 2}, {"p", 2},   {"r", 6},  {"rd", 1}, {"rk", 1}, {"rn", 1},
    {"rt", 1}, {"s", 4},  {"sh", 1}, {"ss", 1}, {"st", 2}, {"t", 6},   {"th", 1}, {"x", 1},
};
const Weighted kEnSuffix = {
    {"", 60},  {"ing", 4}, {"tion", 3}, {"ness", 2}, {"er", 4},  {"ly", 3},  {"ment", 2}, {"able", 1},
    {"ed", 3}, {"ful", 1}, {"less", 1}, {"y", 2},    {"ity", 1}, {"ous", 1}, {"al", 2},
};
const Weighted kEnSyllables = {{"1", 30}, {"2", 40}, {"3", 21}, {"4", 7}, {"5", 2}};
const char* const kEnSmall[] = {"of", "the", "a", "to", "in", "on", "up", "out", "off", "with"};

// UTF-8 upper case of the first letter, for names; the accented capitals are spelled out.
std::string capitalise(const std::string& w) {
    static const struct {
        const char* lower;
        const char* upper;
    } accented[] = {{"á", "Á"}, {"é", "É"}, {"í", "Í"}, {"ó", "Ó"}, {"ö", "Ö"}, {"ő", "Ő"}, {"ú", "Ú"}, {"ü", "Ü"}, {"ű", "Ű"}};
    if (w.empty()) return w;
    if (w[0] >= 'a' && w[0] <= 'z') return std::string(1, static_cast<char>(w[0] - 32)) + w.substr(1);
    for (const auto& a : accented) {
        const size_t n = std::strlen(a.lower);
        if (w.compare(0, n, a.lower) == 0) return a.upper + w.substr(n);
    }
    return w;
}

size_t utf8Length(const std::string& s) {
    size_t n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

std::string hungarianStem(Rng& rng) {
    const int syllables = kHuSyllables.pick(rng)[0] - '0';
    std::string w;
    for (int i = 0; i < syllables; ++i) {
        // Inside a word a syllable without an onset would make a vowel cluster; rarely allow it.
        const char* onset = kHuOnset.pick(rng);
        if (i > 0 && !*onset && !rng.chance(10)) onset = "l";
        w += onset;
        w += kHuVowel.pick(rng);
        if (i + 1 == syllables || rng.chance(35)) w += kHuCoda.pick(rng);
    }
    return w;
}

std::string hungarianHeadword(Rng& rng) {
    std::string w = hungarianStem(rng);
    w += kHuSuffix.pick(rng);
    if (rng.chance(6)) w += hungarianStem(rng); // compound
    if (rng.chance(3)) w = capitalise(w);       // names, start of a phrase
    if (rng.chance(3)) w += " " + hungarianStem(rng) + kHuSuffix.pick(rng);
    return w;
}

std::string englishWord(Rng& rng) {
    const int syllables = kEnSyllables.pick(rng)[0] - '0';
    std::string w;
    for (int i = 0; i < syllables; ++i) {
        const char* onset = kEnOnset.pick(rng);
        if (i > 0 && !*onset) onset = "r";
        w += onset;
        w += kEnVowel.pick(rng);
        if (i + 1 == syllables || rng.chance(30)) w += kEnCoda.pick(rng);
    }
    w += kEnSuffix.pick(rng);
    return w;
}

std::string englishTranslation(Rng& rng) {
    const unsigned r = rng.below(100);
    std::string t;
    if (r < 12)
        t = "to " + englishWord(rng); // verbs
    else if (r < 20)
        t = englishWord(rng) + " " + englishWord(rng); // two words
    else if (r < 23)
        t = englishWord(rng) + " " + kEnSmall[rng.below(10)] + " " + englishWord(rng); // phrase
    else
        t = englishWord(rng);
    if (rng.chance(2)) t = capitalise(t);
    return t;
}

// Keeps every field well inside the CHAR(50) columns, so no pair is cut into a duplicate.
constexpr size_t kMaxChars = 40;

// The long profile fills the columns: a bilingual table's text columns are CHAR(50) and the
// store cuts a longer text to 50 characters, which could turn two pairs into one key.
constexpr size_t kLongMaxChars = 50;
constexpr size_t kLongMinTranslation = 40;

// The stems the long profile's families grow from, 6 to 20 characters each.
std::vector<std::string> longStems(Rng& rng, std::uint64_t count) {
    std::vector<std::string> stems(static_cast<size_t>(std::max<std::uint64_t>(16, count / 24)));
    for (std::string& stem : stems) {
        const size_t length = 6 + rng.below(15);
        do {
            stem = hungarianStem(rng);
            while (utf8Length(stem) < length) stem += hungarianStem(rng);
        } while (utf8Length(stem) > 20);
    }
    return stems;
}

// A member of a stem's family: the stem with suffixes, with a second (and now and then a
// third) compound member, or starting a two-word phrase. Small stem numbers are drawn more
// often, so some families are large, as the families of everyday words are.
std::string longHeadword(Rng& rng, const std::vector<std::string>& stems) {
    std::string w = stems[rng.below(rng.below(static_cast<std::uint32_t>(stems.size())) + 1)];
    const unsigned form = rng.below(100);
    if (form < 5) {
        // the family's own head word
    } else if (form < 35) {
        w += kHuSuffix.pick(rng);
        w += kHuSuffix.pick(rng);
    } else if (form < 80) {
        w += hungarianStem(rng);
        w += kHuSuffix.pick(rng);
    } else if (form < 90) {
        w += stems[rng.below(static_cast<std::uint32_t>(stems.size()))];
        w += hungarianStem(rng);
        w += kHuSuffix.pick(rng);
    } else {
        w += kHuSuffix.pick(rng);
        w += " " + hungarianStem(rng) + kHuSuffix.pick(rng);
    }
    if (rng.chance(3)) w = capitalise(w);
    return w;
}

// Senses separated by commas, kLongMinTranslation to kLongMaxChars characters in all.
std::string longTranslation(Rng& rng) {
    for (;;) {
        std::string t = englishTranslation(rng);
        while (utf8Length(t) < kLongMinTranslation) t += ", " + englishTranslation(rng);
        if (utf8Length(t) <= kLongMaxChars) return t;
    }
}

int usage() {
    std::fprintf(stderr, "usage: verbalo-genpairs [-n COUNT] [--seed N] [--profile default|long] OUTPUT\n"
                         "Writes COUNT (default 1000000) distinct \"headword;translation\" lines.\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::uint64_t count = 1000000;
    std::uint64_t seed = 0x56424C3131ULL;
    const char* output = nullptr;
    bool longProfile = false;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "-n") && i + 1 < argc)
            count = std::strtoull(argv[++i], nullptr, 10);
        else if (!std::strcmp(argv[i], "--profile") && i + 1 < argc && !std::strcmp(argv[i + 1], "long"))
            longProfile = true, ++i;
        else if (!std::strcmp(argv[i], "--profile") && i + 1 < argc && !std::strcmp(argv[i + 1], "default"))
            ++i;
        else if (!std::strcmp(argv[i], "--seed") && i + 1 < argc)
            seed = std::strtoull(argv[++i], nullptr, 0);
        else if (argv[i][0] == '-')
            return usage();
        else if (!output)
            output = argv[i];
        else
            return usage();
    }
    if (!output || count == 0) return usage();

    FILE* out = std::fopen(output, "wb");
    if (!out) {
        std::perror(output);
        return 1;
    }
    std::vector<char> buffer(1 << 20);
    std::setvbuf(out, buffer.data(), _IOFBF, buffer.size());

    Rng rng(seed);
    // Only the long profile draws its stems first: the default file stays as it always was.
    const std::vector<std::string> stems = longProfile ? longStems(rng, count) : std::vector<std::string>();
    const size_t maxChars = longProfile ? kLongMaxChars : kMaxChars;
    std::unordered_set<std::string> headwords;
    headwords.reserve(static_cast<size_t>(count));
    std::uint64_t rows = 0, groups = 0, repeated = 0, huChars = 0, enChars = 0, accented = 0;
    std::vector<std::string> translations;
    while (rows < count) {
        std::string hw = longProfile ? longHeadword(rng, stems) : hungarianHeadword(rng);
        const size_t hwChars = utf8Length(hw);
        if (hwChars > maxChars || !headwords.insert(hw).second) continue;
        // About one headword in twenty has two to five meanings.
        unsigned meanings = 1;
        if (rng.chance(5)) {
            meanings = 2 + rng.below(4);
            ++repeated;
        }
        translations.clear();
        while (translations.size() < meanings) {
            std::string t = longProfile ? longTranslation(rng) : englishTranslation(rng);
            if (utf8Length(t) > maxChars) continue;
            bool seen = false;
            for (const std::string& s : translations) seen = seen || s == t;
            if (!seen) translations.push_back(std::move(t));
        }
        ++groups;
        if (hwChars != hw.size()) accented += translations.size();
        for (const std::string& t : translations) {
            if (rows == count) break;
            std::fwrite(hw.data(), 1, hw.size(), out);
            std::fputc(';', out);
            std::fwrite(t.data(), 1, t.size(), out);
            std::fputc('\n', out);
            huChars += hwChars;
            enChars += utf8Length(t);
            ++rows;
        }
    }
    if (std::fclose(out) != 0) {
        std::perror(output);
        return 1;
    }
    std::fprintf(stderr,
                 "%llu pairs, %llu headwords (%.1f %% with several translations), mean length %.1f / %.1f "
                 "characters, %.1f %% of rows with accented headwords\n",
                 static_cast<unsigned long long>(rows), static_cast<unsigned long long>(groups),
                 100.0 * static_cast<double>(repeated) / static_cast<double>(groups),
                 static_cast<double>(huChars) / static_cast<double>(rows),
                 static_cast<double>(enChars) / static_cast<double>(rows),
                 100.0 * static_cast<double>(accented) / static_cast<double>(rows));
    return 0;
}
