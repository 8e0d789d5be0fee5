// config_syntax_test.cpp - how config.txt text turns into variable values:
// sections, blanks, comments, conversions, truncation of long input and the
// reload callbacks.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "config/config.h"

namespace {

void apply(const std::string& text) {
    apply_config_text(text.data(), text.size());
}

struct ConfigSyntax : ::testing::Test {
    void SetUp() override { clear_config_registry(); }
    void TearDown() override {
        clear_config_registry();
        config_reloading = false;
    }
};

TEST_F(ConfigSyntax, SectionHeaderLimitsKeysToThatSection) {
    uint8_t a = 0, b = 0;
    config_begin_section("level_label");
    register_int8("font_size", &a);
    config_begin_section("timer_label");
    register_int8("font_size", &b);
    config_end_section();

    apply("[timer_label]\nfont_size = 40\n");
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 40);
}

TEST_F(ConfigSyntax, BlankLineEndsSectionSoFirstRegisteredKeyWins) {
    uint8_t a = 0, b = 0;
    config_begin_section("level_label");
    register_int8("font_size", &a);
    config_begin_section("timer_label");
    register_int8("font_size", &b);
    config_end_section();

    apply("[timer_label]\n\nfont_size = 40\n");
    EXPECT_EQ(a, 40);
    EXPECT_EQ(b, 0);

    // A line of blanks is an empty line too.
    apply("[timer_label]\n \t \nfont_size = 41\n");
    EXPECT_EQ(a, 41);
    EXPECT_EQ(b, 0);
}

TEST_F(ConfigSyntax, KeysBeforeAnyHeaderMatchWhateverSection) {
    float plain = 0, sectioned = 0;
    config_begin_section("progress_bar");
    register_number("padding", &sectioned);
    config_end_section();
    register_number("padding", &plain);

    apply("padding = 3\n");
    EXPECT_FLOAT_EQ(sectioned, 3);  // registered first
    EXPECT_FLOAT_EQ(plain, 0);
}

TEST_F(ConfigSyntax, UnsectionedVariableIsNotReachableUnderAHeader) {
    Color3 bg = {1, 2, 3};
    register_rgb("bg_color", &bg);

    apply("[no_moves]\nbg_color = 9, 9, 9\n");
    EXPECT_EQ(bg.r, 1);
    EXPECT_EQ(bg.g, 2);
    EXPECT_EQ(bg.b, 3);
}

TEST_F(ConfigSyntax, CommentLinesKeepTheSectionAndInlineCommentsAreCut) {
    int32_t in_section = 0, other = 0;
    register_int32("k", &other);
    config_begin_section("s");
    register_int32("k", &in_section);
    config_end_section();

    apply("[s]\n# a remark\n   # an indented remark\nk = 12 # twelve\n");
    EXPECT_EQ(in_section, 12);
    EXPECT_EQ(other, 0);
}

TEST_F(ConfigSyntax, BlanksInKeysAndAroundEqualsAreDropped) {
    float scale = 0;
    register_number("tile_icon_scale", &scale);
    const char* lines[] = {
        "tile_icon_scale=0.5\n",
        "tile_icon_scale = 0.6\n",
        "\t  tile_icon_scale\t=\t0.7\n",
        "tile_icon _scale = 0.8\n",
        "t i l e _ i c o n _ s c a l e = 0.9\n",
    };
    float expected[] = {0.5f, 0.6f, 0.7f, 0.8f, 0.9f};
    for (int i = 0; i < 5; i++) {
        apply(lines[i]);
        EXPECT_FLOAT_EQ(scale, expected[i]) << lines[i];
    }
}

TEST_F(ConfigSyntax, SectionNameIsEverythingBetweenBracketAndLastCharacter) {
    uint8_t v = 0;
    config_begin_section("timer_label");
    register_int8("font_size", &v);
    config_end_section();

    // Trailing blanks (or a comment) after ']' become part of the name.
    apply("[timer_label]  # the clock\nfont_size = 30\n");
    EXPECT_EQ(v, 0);
    apply("[timer_label] \nfont_size = 31\n");
    EXPECT_EQ(v, 0);
    // The last character is dropped whatever it is.
    apply("[timer_label)\nfont_size = 32\n");
    EXPECT_EQ(v, 32);
    apply("  [timer_label]\r\nfont_size = 33\r\n");
    EXPECT_EQ(v, 33);
}

TEST_F(ConfigSyntax, DegenerateHeadersDoNotBreakParsing) {
    int32_t v = 0;
    register_int32("k", &v);
    apply("[\nk = 1\n[]\nk = 2\n\nk = 3\n");
    EXPECT_EQ(v, 3);
}

TEST_F(ConfigSyntax, RgbaWithThreeChannelsKeepsAlpha) {
    Color4 line = {1, 2, 3, 200};
    register_rgba("line_color", &line);
    apply("line_color = 255, 0, 0\n");
    EXPECT_EQ(line.r, 255);
    EXPECT_EQ(line.g, 0);
    EXPECT_EQ(line.b, 0);
    EXPECT_EQ(line.a, 200);

    apply("line_color = 10\n");
    EXPECT_EQ(line.r, 10);
    EXPECT_EQ(line.g, 0);
    EXPECT_EQ(line.a, 200);

    apply("line_color = 5,6,7,8,9\n");  // extra pieces are ignored
    EXPECT_EQ(line.r, 5);
    EXPECT_EQ(line.a, 8);
}

TEST_F(ConfigSyntax, ColourChannelsAreTruncatedToEightBits) {
    Color3 c = {};
    register_rgb("c", &c);
    apply("c = 300, -1, 256\n");
    EXPECT_EQ(c.r, 44);
    EXPECT_EQ(c.g, 255);
    EXPECT_EQ(c.b, 0);
}

TEST_F(ConfigSyntax, EmptyPiecesAreSkippedWhenSplittingPairsAndColours) {
    Vec2 pos = {-1, -2};
    Color3 c = {7, 7, 7};
    register_position("pos", &pos);
    register_rgb("c", &c);

    apply("pos = 1,,2\n");
    EXPECT_FLOAT_EQ(pos.x, 1);
    EXPECT_FLOAT_EQ(pos.y, 2);
    apply("pos = ,5\n");
    EXPECT_FLOAT_EQ(pos.x, 5);
    EXPECT_FLOAT_EQ(pos.y, 2);
    apply("pos = -3.5\n");
    EXPECT_FLOAT_EQ(pos.x, -3.5f);
    EXPECT_FLOAT_EQ(pos.y, 2);

    apply("c = ,,1,,2\n");
    EXPECT_EQ(c.r, 1);
    EXPECT_EQ(c.g, 2);
    EXPECT_EQ(c.b, 7);
}

TEST_F(ConfigSyntax, IntegersFollowAtoiAndTheTargetWidth) {
    uint8_t i8 = 0;
    int16_t i16 = 0;
    int32_t i32 = 99;
    register_int8("i8", &i8);
    register_int16("i16", &i16);
    register_int32("i32", &i32);

    apply("i8 = 300\ni16 = 70000\ni32 = 12abc\n");
    EXPECT_EQ(i8, 44);
    EXPECT_EQ(i16, 4464);
    EXPECT_EQ(i32, 12);

    apply("i16 = -2\ni32 = abc\n");
    EXPECT_EQ(i16, -2);
    EXPECT_EQ(i32, 0);

    // Far beyond 64 bits: no undefined behaviour, a definite value.
    apply("i32 = 99999999999999999999999999\n");
    EXPECT_EQ(i32, -1);
}

TEST_F(ConfigSyntax, BooleanIsTrueOnlyForExactlyTrue) {
    uint8_t flag = 7;
    register_bool("flag", &flag);
    struct {
        const char* line;
        uint8_t expected;
    } cases[] = {
        {"flag = true\n", 1},      {"flag = True\n", 0},    {"flag = true \n", 0},
        {"flag = true # on\n", 0}, {"flag = true#on\n", 1}, {"flag = 1\n", 0},
        {"flag=true", 1},
    };
    for (const auto& c : cases) {
        flag = 7;
        apply(c.line);
        EXPECT_EQ(flag, c.expected) << c.line;
    }
}

TEST_F(ConfigSyntax, NumbersAreParsedAsFloats) {
    float f = 0;
    register_number("f", &f);
    apply("f = 0.8 # inline comment after a number is harmless\n");
    EXPECT_FLOAT_EQ(f, 0.8f);
    apply("f = 1e2\n");
    EXPECT_FLOAT_EQ(f, 100);
    apply("f = x\n");
    EXPECT_FLOAT_EQ(f, 0);
}

TEST_F(ConfigSyntax, TextKeepsBlanksUpToAnInlineComment) {
    char font[CONFIG_TEXT_SIZE] = "old";
    register_text("font_fn", font);
    apply("font_fn = arialbd.ttf\n");
    EXPECT_STREQ(font, "arialbd.ttf");
    apply("font_fn = My Font.ttf # note\n");
    EXPECT_STREQ(font, "My Font.ttf ");
    apply("font_fn =\n");
    EXPECT_STREQ(font, "");
}

TEST_F(ConfigSyntax, OverLongValueIsCutTo63Characters) {
    char text[CONFIG_TEXT_SIZE + 8];
    memset(text, '#', sizeof text);
    register_text("t", text);
    apply("t = " + std::string(200, 'x') + "\n");
    EXPECT_EQ(strlen(text), (size_t)CONFIG_TEXT_SIZE - 1);
    EXPECT_EQ(text[CONFIG_TEXT_SIZE], '#');  // nothing written past the buffer
}

TEST_F(ConfigSyntax, OverLongKeysAndLinesAreCutNotOverflowed) {
    std::string long_key(300, 'k');
    int32_t v = 0, after = 0;
    register_int32(long_key.c_str(), &v);  // both sides keep 127 characters
    register_int32("after", &after);
    EXPECT_EQ(strlen(config_vars[0].key), 127u);

    apply(long_key + " = 5\n");
    EXPECT_EQ(v, 5);

    // A line of 5000 characters is cut at 1023; the next line still counts.
    apply("t = " + std::string(5000, '7') + "\nafter = 3\n");
    EXPECT_EQ(after, 3);

    // A huge section name is cut; it simply matches nothing.
    apply("[" + std::string(3000, 's') + "]\nafter = 4\n");
    EXPECT_EQ(after, 3);
}

TEST_F(ConfigSyntax, LineWithoutEqualsOrKeyIsIgnored) {
    int32_t k5 = 7, empty = 8;
    register_int32("k5", &k5);
    register_int32("", &empty);
    apply("k 5\nk5\n= 9\n");
    EXPECT_EQ(k5, 7);
    EXPECT_EQ(empty, 8);
}

TEST_F(ConfigSyntax, SecondEqualsBelongsToTheValue) {
    char text[CONFIG_TEXT_SIZE] = "";
    register_text("t", text);
    apply("t = a=b\n");
    EXPECT_STREQ(text, "a=b");
}

TEST_F(ConfigSyntax, LineEndingsAndTheEndOfTheText) {
    int32_t a = 0, b = 0;
    register_int32("a", &a);
    register_int32("b", &b);

    apply("a = 1\r\nb = 2");  // CRLF, and no final newline
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 2);

    apply("a = 3\r\r\n");
    EXPECT_EQ(a, 3);

    // The text ends at a NUL even when the length says more.
    const char with_nul[] = "a = 4\n\0b = 5\n";
    apply_config_text(with_nul, sizeof with_nul - 1);
    EXPECT_EQ(a, 4);
    EXPECT_EQ(b, 2);

    // The length is respected when there is no NUL.
    const char prefix[] = "a = 67";
    apply_config_text(prefix, 5);
    EXPECT_EQ(a, 6);
}

TEST_F(ConfigSyntax, FirstRegisteredDuplicateWins) {
    int32_t first = 0, second = 0;
    register_int32("k", &first);
    register_int32("k", &second);
    apply("k = 1\n");
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 0);
}

TEST_F(ConfigSyntax, ByteListFillsBytesAndCount) {
    uint8_t bytes[CONFIG_BYTE_LIST_MAX + 4];
    memset(bytes, 0xEE, sizeof bytes);
    uint8_t count = 0;
    register_byte_list("list", bytes, &count);

    apply("list = 1, 2,3,,300\n");
    EXPECT_EQ(count, 4);
    EXPECT_EQ(bytes[0], 1);
    EXPECT_EQ(bytes[1], 2);
    EXPECT_EQ(bytes[2], 3);
    EXPECT_EQ(bytes[3], 44);
    EXPECT_EQ(bytes[4], 0xEE);

    // The longest value the parser keeps has 32 pieces; never more are written.
    std::string many;
    for (int i = 0; i < 40; i++) many += "9,";
    apply("list = " + many + "\n");
    EXPECT_EQ(count, CONFIG_BYTE_LIST_MAX);
    EXPECT_EQ(bytes[CONFIG_BYTE_LIST_MAX - 1], 9);
    EXPECT_EQ(bytes[CONFIG_BYTE_LIST_MAX], 0xEE);
}

TEST_F(ConfigSyntax, NoSectionIsActiveAfterTheText) {
    apply("[s]\nk = 1");
    int32_t v = 0;
    ConfigVar* var = register_config_var("late", &v);
    ASSERT_NE(var, nullptr);
    EXPECT_STREQ(var->section, "");
}

// --- Registry ----------------------------------------------------------------

std::string log_of_callbacks;
float value_seen_by_callback;
float watched_value;
void first_callback() {
    log_of_callbacks += "1";
    value_seen_by_callback = watched_value;
}
void second_callback() {
    log_of_callbacks += "2";
}

TEST_F(ConfigSyntax, CallbacksRunOnlyWhileReloadingAndAfterTheWholeText) {
    register_number("first", &watched_value);
    int32_t last = 0;
    register_int32("last", &last);
    register_reload_callback(first_callback);
    register_reload_callback(second_callback);
    log_of_callbacks.clear();

    apply("first = 1\nlast = 1\n");
    EXPECT_EQ(log_of_callbacks, "");

    config_reloading = true;
    apply("first = 2\nlast = 2\n");
    config_reloading = false;
    EXPECT_EQ(log_of_callbacks, "12");
    EXPECT_FLOAT_EQ(value_seen_by_callback, 2);
}

TEST_F(ConfigSyntax, RegistrationRecordsSectionKeyTargetAndKind) {
    Color4 c;
    uint8_t list[4], count;
    config_begin_section("menu_panel");
    register_rgba("color", &c);
    config_end_section();
    register_byte_list("list", list, &count);

    ASSERT_EQ(config_var_count, 2);
    EXPECT_STREQ(config_vars[0].section, "menu_panel");
    EXPECT_STREQ(config_vars[0].key, "color");
    EXPECT_EQ(config_vars[0].target, &c);
    EXPECT_EQ(config_vars[0].kind.first, 0);
    EXPECT_EQ(config_vars[0].kind.second, CONFIG_RGBA);
    EXPECT_STREQ(config_vars[1].section, "");
    EXPECT_EQ(config_vars[1].count_target, &count);
    EXPECT_EQ(config_vars[1].kind.second, CONFIG_BYTE_LIST);
}

TEST_F(ConfigSyntax, FullRegistryRefusesAndSaysSo) {
    static float targets[CONFIG_MAX_VARS];
    for (int i = 0; i < CONFIG_MAX_VARS; i++) register_number("n", &targets[i]);
    EXPECT_EQ(config_var_count, CONFIG_MAX_VARS);

    float extra = 0;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(register_config_var("extra", &extra), nullptr);
    register_number("extra", &extra);  // the shorthand must not crash either
    std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(config_var_count, CONFIG_MAX_VARS);
    EXPECT_NE(said.find("extra"), std::string::npos);

    apply("extra = 5\n");
    EXPECT_FLOAT_EQ(extra, 0);
}

int callback_runs;
void count_callback() {
    callback_runs++;
}

TEST_F(ConfigSyntax, CallbackListHoldsSixteen) {
    ::testing::internal::CaptureStderr();
    for (int i = 0; i < CONFIG_MAX_CALLBACKS + 3; i++) register_reload_callback(count_callback);
    std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_FALSE(said.empty());

    callback_runs = 0;
    config_reloading = true;
    apply("");
    config_reloading = false;
    EXPECT_EQ(callback_runs, CONFIG_MAX_CALLBACKS);
}

TEST_F(ConfigSyntax, ClearingTheRegistryForgetsVariablesAndCallbacks) {
    int32_t v = 0;
    register_int32("v", &v);
    register_reload_callback(count_callback);
    clear_config_registry();
    EXPECT_EQ(config_var_count, 0);

    callback_runs = 0;
    config_reloading = true;
    apply("v = 3\n");
    config_reloading = false;
    EXPECT_EQ(v, 0);
    EXPECT_EQ(callback_runs, 0);
}

}  // namespace
