#include "eval_generator.h"

#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace {

// Common characters, three bytes each in UTF-8, so texts look like a Chinese class's.
const char hanzi[] =
    "的一是在不了有和人这中大为上个我以要他时来用们生到作地于出就分对成会可主发年动同工也能下过子说"
    "产种面而方后多定行学法所民得经十三之进着等部度家电力里如水化高自二理起小物现实加量都两体制机当"
    "使点从业本去把性好应开它合还因由其些然前外天四日那事平形相全表间样与关各重新线内数正心反你明看"
    "原又么利比或但质气第向道此变条只没结解问意建月公无系很情者最立代想已通并提直题程展五果料象员位";
constexpr int hanzi_count = int(sizeof hanzi - 1) / 3;

constexpr double single_full = 2;
constexpr double multiple_full = 4;
constexpr double multiple_part = 2;
constexpr double open_full = 10;

class random_source
{
public:
    int below(int n) { return int(m_engine() % std::uint32_t(n)); }

    // Sentences of common characters, about bytes long; never an '@' or a '$'.
    std::string chinese(int bytes)
    {
        std::string text;
        text.reserve(std::size_t(bytes > 0 ? bytes : 0) + 4);
        int since_stop = 0;
        while (int(text.size()) + 3 <= bytes) {
            if (since_stop > 6 && below(8) == 0) {
                const bool full_stop = below(3) == 0;
                text += full_stop ? "。" : "，";
                if (full_stop && below(4) == 0 && int(text.size()) < bytes)
                    text += '\n';
                since_stop = 0;
                continue;
            }
            text.append(hanzi + 3 * below(hanzi_count), 3);
            ++since_stop;
        }
        return text;
    }

private:
    std::mt19937 m_engine{20240917u};   // the engine's sequence is fixed by the standard
};

// One answer set out of A..D: mostly the key, sometimes another letter, now and then empty.
std::int32_t single_answer(random_source &random, std::int32_t key)
{
    const int roll = random.below(100);
    if (roll < 70)
        return key;
    if (roll < 97)
        return 1 << random.below(4);
    return 0;
}

std::int32_t multiple_answer(random_source &random, std::int32_t key)
{
    const int roll = random.below(100);
    if (roll < 50)
        return key;
    if (roll < 75)
        return key & random.below(16);
    return random.below(16);
}

void add_line(std::string &out, long value)
{
    out += std::to_string(value);
    out += '\n';
}

// Numbers as the program writes them, with a point whatever the locale.
void add_number(std::string &out, double value, char after)
{
    char buffer[64];
    out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
    out += after;
}

void add_score(std::string &out, double score)
{
    char buffer[64];
    out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, score, std::chars_format::fixed, 3).ptr);
    out += '\n';
}

void add_marked(std::string &out, const std::string &text)
{
    out += '@';
    out += text;
    out += "$\n";
}

std::string write_file(const std::string &path, const std::string &bytes)
{
    std::FILE *file = std::fopen(path.c_str(), "wb");
    if (!file)
        return path + ": " + std::strerror(errno);
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !written)
        return path + ": " + std::strerror(errno);
    return {};
}

std::string make_dir(const std::string &path)
{
    if (::mkdir(path.c_str(), 0777) != 0)
        return path + ": " + std::strerror(errno);
    return {};
}

std::string student_name(int s)
{
    char number[16];
    std::snprintf(number, sizeof number, "%04d", s);
    return std::string("学生") + number + ".stu";
}

struct keys {
    std::vector<std::int32_t> single;
    std::vector<std::int32_t> multiple;
};

std::string paper_text(random_source &random, const eval_size &size)
{
    std::string out = std::to_string(size.single) + ' ' + std::to_string(size.multiple) + ' '
        + std::to_string(size.open) + '\n';
    for (int q = 0; q < size.single; ++q) {
        add_number(out, single_full, ' ');
        add_marked(out, random.chinese(36) + "？ A. 甲 B. 乙 C. 丙 D. 丁");
    }
    for (int q = 0; q < size.multiple; ++q) {
        add_number(out, multiple_full, ' ');
        add_number(out, multiple_part, ' ');
        add_marked(out, random.chinese(36) + "？ A. 甲 B. 乙 C. 丙 D. 丁");
    }
    for (int q = 0; q < size.open; ++q) {
        add_number(out, open_full, ' ');
        add_marked(out, random.chinese(90) + "？");
    }
    return out;
}

std::string key_text(random_source &random, const eval_size &size, keys *key)
{
    std::string out;
    for (int q = 0; q < size.single; ++q) {
        key->single.push_back(1 << random.below(4));
        add_line(out, key->single.back());
    }
    for (int q = 0; q < size.multiple; ++q) {
        key->multiple.push_back(1 + random.below(15));
        add_line(out, key->multiple.back());
    }
    for (int q = 0; q < size.open; ++q)
        add_marked(out, random.chinese(size.answer_bytes));
    return out;
}

std::string answers_text(random_source &random, const eval_size &size, const keys &key, bool first_alike)
{
    std::string out;
    for (const std::int32_t k : key.single)
        add_line(out, single_answer(random, k));
    for (const std::int32_t k : key.multiple)
        add_line(out, multiple_answer(random, k));
    for (int q = 0; q < size.open; ++q) {
        // The first open question is a blank most of the class fills in alike.
        if (q == 0 && (random.below(3) != 0 || first_alike))
            add_marked(out, "光合作用");
        else
            add_marked(out, random.chinese(size.answer_bytes));
    }
    return out;
}

std::string percent_encoded(const std::string &bytes)
{
    std::string out;
    for (const unsigned char c : bytes) {
        if (std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~') {
            out += char(c);
        } else {
            char escape[4];
            std::snprintf(escape, sizeof escape, "%%%02X", c);
            out += escape;
        }
    }
    return out;
}

// The record of what was scored by hand after an earlier sitting that stopped one answer
// short of the end: every open answer but the last student's last one.
std::string marks_text(const eval_size &size)
{
    std::string out = "lumo_test scored by hand 1\n";
    for (int s = 1; s <= size.students; ++s) {
        std::string marks(std::size_t(size.open), '1');
        if (s == size.students && size.open > 0)
            marks.back() = '0';
        out += percent_encoded(student_name(s)) + ' ' + marks + '\n';
    }
    return out;
}

// Scores as an earlier save would have left them.
std::string scores_text(random_source &random, const eval_size &size)
{
    std::string out;
    for (int q = 0; q < size.single; ++q)
        add_score(out, random.below(2) * single_full);
    for (int q = 0; q < size.multiple; ++q) {
        const double choices[] = {0, multiple_part, multiple_full};
        add_score(out, choices[random.below(3)]);
    }
    for (int q = 0; q < size.open; ++q)
        add_score(out, random.below(int(open_full) * 2 + 1) * 0.5);
    return out;
}

}  // namespace

std::string eval_generator_write(const std::string &folder, const eval_size &size)
{
    std::string failure = make_dir(folder);
    for (const char *sub : {"/st", "/sc"}) {
        if (failure.empty())
            failure = make_dir(folder + sub);
    }
    if (!failure.empty())
        return failure;

    random_source random;
    keys key;
    failure = write_file(folder + "/problem.prb", paper_text(random, size));
    if (failure.empty())
        failure = write_file(folder + "/answer.ans", key_text(random, size, &key));
    for (int s = 1; s <= size.students && failure.empty(); ++s) {
        const std::string name = student_name(s);
        failure = write_file(folder + "/st/" + name, answers_text(random, size, key, s == 1));
        if (failure.empty() && s % 3 == 1)
            failure = write_file(folder + "/sc/" + name, scores_text(random, size));
    }
    if (failure.empty() && size.open > 0)
        failure = write_file(folder + "/.lumo_test.scored", marks_text(size));
    return failure;
}

std::string eval_generator_write_long(const std::string &folder)
{
    std::string failure = make_dir(folder);
    for (const char *sub : {"/st", "/sc"}) {
        if (failure.empty())
            failure = make_dir(folder + sub);
    }
    // The largest answer file, "@" and "$" around the text.
    constexpr int longest = 8 * 1024 * 1024 - 2;
    random_source random;
    const std::pair<const char *, std::string> students[] = {
        {"/st/1.stu", "短的答案"}, {"/st/2.stu", std::string(longest, 'x')}, {"/st/3.stu", random.chinese(longest)}};
    if (failure.empty())
        failure = write_file(folder + "/problem.prb", "0 0 1\n10 @请写一篇文章。$\n");
    if (failure.empty())
        failure = write_file(folder + "/answer.ans", "@略$\n");
    for (const auto &[name, answer] : students) {
        std::string text;
        add_marked(text, answer);
        text.pop_back();   // no line break: the file holds exactly the largest answer
        if (failure.empty())
            failure = write_file(folder + name, text);
    }
    return failure;
}
