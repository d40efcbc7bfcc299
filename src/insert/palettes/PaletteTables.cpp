#include "insert/palettes/PaletteTables.h"

namespace orvelt {

namespace {

// TeX's shapes, not Unicode's names: \epsilon is the lunate U+03F5 and \varepsilon U+03B5,
// \phi the stroked U+03D5 and \varphi the looped U+03C6.
constexpr PaletteSymbol kGreek[] = {
    {"\\alpha", 0x03B1},   {"\\beta", 0x03B2},       {"\\gamma", 0x03B3}, {"\\delta", 0x03B4},
    {"\\epsilon", 0x03F5}, {"\\varepsilon", 0x03B5}, {"\\zeta", 0x03B6},  {"\\eta", 0x03B7},
    {"\\theta", 0x03B8},   {"\\vartheta", 0x03D1},   {"\\iota", 0x03B9},  {"\\kappa", 0x03BA},
    {"\\lambda", 0x03BB},  {"\\mu", 0x03BC},         {"\\nu", 0x03BD},    {"\\xi", 0x03BE},
    {"o", 0x03BF}, // TeX has no \omicron: the Latin letter is the omicron
    {"\\pi", 0x03C0},      {"\\varpi", 0x03D6},      {"\\rho", 0x03C1},   {"\\varrho", 0x03F1},
    {"\\sigma", 0x03C3},   {"\\varsigma", 0x03C2},   {"\\tau", 0x03C4},   {"\\upsilon", 0x03C5},
    {"\\phi", 0x03D5},     {"\\varphi", 0x03C6},     {"\\chi", 0x03C7},   {"\\psi", 0x03C8},
    {"\\omega", 0x03C9},   {"\\Gamma", 0x0393},      {"\\Delta", 0x0394}, {"\\Theta", 0x0398},
    {"\\Lambda", 0x039B},  {"\\Xi", 0x039E},         {"\\Pi", 0x03A0},    {"\\Sigma", 0x03A3},
    {"\\Upsilon", 0x03A5}, {"\\Phi", 0x03A6},        {"\\Psi", 0x03A8},   {"\\Omega", 0x03A9},
};

constexpr PaletteSymbol kBinOps[] = {
    {"\\pm", 0x00B1},
    {"\\mp", 0x2213},
    {"\\times", 0x00D7},
    {"\\div", 0x00F7},
    {"\\ast", 0x2217},
    {"\\star", 0x22C6},
    {"\\circ", 0x2218},
    {"\\bullet", 0x2219},
    {"\\cdot", 0x22C5},
    {"\\oplus", 0x2295},
    {"\\ominus", 0x2296},
    {"\\otimes", 0x2297},
    {"\\cap", 0x2229},
    {"\\cup", 0x222A},
    {"\\uplus", 0x228E},
    {"\\sqcap", 0x2293},
    {"\\sqcup", 0x2294},
    {"\\vee", 0x2228},
    {"\\wedge", 0x2227},
    {"\\setminus", 0x2216},
    {"\\wr", 0x2240},
    {"\\oslash", 0x2298},
    {"\\odot", 0x2299},
    {"\\bigcirc", 0x25EF},
    {"\\diamond", 0x22C4},
    {"\\bigtriangleup", 0x25B3},
    {"\\bigtriangledown", 0x25BD},
    {"\\triangleleft", 0x25C3},
    {"\\triangleright", 0x25B9},
    {"\\lhd", 0x22B2},
    {"\\rhd", 0x22B3},
    {"\\unlhd", 0x22B4},
    {"\\unrhd", 0x22B5},
    {"\\dagger", 0x2020},
    {"\\ddagger", 0x2021},
    {"\\amalg", 0x2A3F},
};

constexpr PaletteSymbol kRelOps[] = {
    {"\\leq", 0x2264},      {"\\geq", 0x2265},
    {"\\prec", 0x227A},     {"\\preceq", 0x2AAF},
    {"\\succ", 0x227B},     {"\\succeq", 0x2AB0},
    {"\\ll", 0x226A},       {"\\gg", 0x226B},
    {"\\subset", 0x2282},   {"\\subseteq", 0x2286},
    {"\\supset", 0x2283},   {"\\supseteq", 0x2287},
    {"\\sqsubset", 0x228F}, {"\\sqsubseteq", 0x2291},
    {"\\sqsupset", 0x2290}, {"\\sqsupseteq", 0x2292},
    {"\\in", 0x2208},       {"\\ni", 0x220B},
    {"\\vdash", 0x22A2},    {"\\dashv", 0x22A3},
    {"\\models", 0x22A7},   {"\\perp", 0x27C2},
    {"\\parallel", 0x2225}, {"\\bowtie", 0x22C8},
    {"\\Join", 0},          {"\\equiv", 0x2261},
    {"\\sim", 0x223C},      {"\\simeq", 0x2243},
    {"\\asymp", 0x224D},    {"\\approx", 0x2248},
    {"\\cong", 0x2245},     {"\\neq", 0x2260},
    {"\\doteq", 0x2250},    {"\\propto", 0x221D},
    {"\\smile", 0x2323},    {"\\frown", 0x2322},
    {"\\mid", 0x2223},
};

constexpr PaletteSymbol kArrows[] = {
    {"\\leftarrow", 0x2190},
    {"\\longleftarrow", 0x27F5},
    {"\\Leftarrow", 0x21D0},
    {"\\Longleftarrow", 0x27F8},
    {"\\leftrightarrow", 0x2194},
    {"\\Leftrightarrow", 0x21D4},
    {"\\longleftrightarrow", 0x27F7},
    {"\\Longleftrightarrow", 0x27FA},
    {"\\rightarrow", 0x2192},
    {"\\longrightarrow", 0x27F6},
    {"\\Rightarrow", 0x21D2},
    {"\\Longrightarrow", 0x27F9},
    {"\\mapsto", 0x21A6},
    {"\\longmapsto", 0x27FC},
    {"\\hookleftarrow", 0x21A9},
    {"\\hookrightarrow", 0x21AA},
    {"\\leftharpoonup", 0x21BC},
    {"\\rightharpoonup", 0x21C0},
    {"\\leftharpoondown", 0x21BD},
    {"\\rightharpoondown", 0x21C1},
    {"\\rightleftharpoons", 0x21CC},
    {"\\leadsto", 0x21DD},
    {"\\uparrow", 0x2191},
    {"\\downarrow", 0x2193},
    {"\\Uparrow", 0x21D1},
    {"\\Downarrow", 0x21D3},
    {"\\updownarrow", 0x2195},
    {"\\Updownarrow", 0x21D5},
    {"\\nearrow", 0x2197},
    {"\\searrow", 0x2198},
    {"\\swarrow", 0x2199},
    {"\\nwarrow", 0x2196},
};

constexpr PaletteSymbol kMisc[] = {
    {"\\aleph", 0x2135},       {"\\hbar", 0x210F},      {"\\imath", 0x0131},
    {"\\jmath", 0x0237},       {"\\ell", 0x2113},       {"\\wp", 0x2118},
    {"\\Re", 0x211C},          {"\\Im", 0x2111},        {"\\mho", 0x2127},
    {"\\Diamond", 0x25C7},     {"\\triangle", 0x25B3},  {"\\prime", 0x2032},
    {"\\emptyset", 0x2205},    {"\\nabla", 0x2207},     {"\\surd", 0x221A},
    {"\\top", 0x22A4},         {"\\bot", 0x22A5},       {"\\|", 0x2016},
    {"\\angle", 0x2220},       {"\\infty", 0x221E},     {"\\clubsuit", 0x2663},
    {"\\diamondsuit", 0x2662}, {"\\forall", 0x2200},    {"\\exists", 0x2203},
    {"\\neg", 0x00AC},         {"\\flat", 0x266D},      {"\\natural", 0x266E},
    {"\\sharp", 0x266F},       {"\\backslash", 0x005C}, {"\\partial", 0x2202},
    {"\\Box", 0x25A1},         {"\\heartsuit", 0x2661}, {"\\spadesuit", 0x2660},
};

constexpr SymbolTable kTables[] = {
    {"TGreekLetters", "Greek letters", 6, 7, 25, kGreek},
    {"TBinOps", "Bin Ops", 5, 8, 20, kBinOps},
    {"Trelops", "Rel Ops", 5, 8, 20, kRelOps},
    {"Tarrows", "", 5, 7, 20, kArrows},
    {"Tmisc", "Misc", 5, 7, 20, kMisc},
};

constexpr std::string_view kTimes = "Times New Roman";

constexpr FontChoice kFonts[] = {
    {"roman", "roman", "\\rm", kTimes, FaceKind::Serif, 10, false, false},
    {"emphasize", "emphasize", "\\em", kTimes, FaceKind::Serif, 10, false, true},
    {"slanted", "slanted", "\\sl", kTimes, FaceKind::Serif, 10, false, true},
    {"bold", "bold", "\\bf", kTimes, FaceKind::Serif, 10, true, false},
    {"italic", "italic", "\\it", kTimes, FaceKind::Serif, 10, false, true},
    {"SMALL CAPS", "Small Caps", "\\sc", kTimes, FaceKind::Serif, 8, false, false},
    {"sans serif", "sans serif", "\\sf", "MS Sans Serif", FaceKind::SansSerif, 10, false, false},
    {"typewriter", "typewriter", "\\tt", "Courier New", FaceKind::Monospace, 8, false, false},
};

// The size row's preview is a point size only (choice + 4), set by the window.
constexpr FontChoice kSizes[] = {
    {"tiny", "tiny", "\\tiny", {}, FaceKind::SansSerif, 0, false, false},
    {"scriptsize", "scriptsize", "\\scriptsize", {}, FaceKind::SansSerif, 0, false, false},
    {"footnotesize", "footnotesize", "\\footnotesize", {}, FaceKind::SansSerif, 0, false, false},
    {"small", "small", "\\small", {}, FaceKind::SansSerif, 0, false, false},
    {"normalsize", "normalsize", "\\normalsize", {}, FaceKind::SansSerif, 0, false, false},
    {"large", "large", "\\large", {}, FaceKind::SansSerif, 0, false, false},
    {"Large", "Large", "\\Large", {}, FaceKind::SansSerif, 0, false, false},
    {"LARGE", "LARGE", "\\LARGE", {}, FaceKind::SansSerif, 0, false, false},
    {"huge", "huge", "\\huge", {}, FaceKind::SansSerif, 0, false, false},
    {"Huge", "Huge", "\\Huge", {}, FaceKind::SansSerif, 0, false, false},
};

} // namespace

const SymbolTable& TableOf(SymbolPalette palette) {
    return kTables[static_cast<int>(palette)];
}

std::span<const FontChoice> FontChoices() {
    return kFonts;
}

std::span<const FontChoice> SizeChoices() {
    return kSizes;
}

int StepChoice(int choice, bool upperArrow, int count) {
    const int next = choice + (upperArrow ? -1 : 1);
    if (next > count)
        return 1;
    if (next < 1)
        return count;
    return next;
}

} // namespace orvelt
