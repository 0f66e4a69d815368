#include "store/student_list.h"

#include "store/file_io.h"

#include <algorithm>

namespace {

bool is_digit(char c)
{
    return c >= '0' && c <= '9';
}

// Compares the digit runs starting at a[i] and b[j] by value, advancing both past them.
int compare_numbers(const QByteArray &a, int &i, const QByteArray &b, int &j)
{
    while (i < a.size() && a[i] == '0' && i + 1 < a.size() && is_digit(a[i + 1]))
        ++i;
    while (j < b.size() && b[j] == '0' && j + 1 < b.size() && is_digit(b[j + 1]))
        ++j;
    int end_a = i;
    int end_b = j;
    while (end_a < a.size() && is_digit(a[end_a]))
        ++end_a;
    while (end_b < b.size() && is_digit(b[end_b]))
        ++end_b;
    int result = (end_a - i) - (end_b - j);   // fewer digits, smaller number
    for (int k = 0; result == 0 && k < end_a - i; ++k)
        result = a[i + k] - b[j + k];
    i = end_a;
    j = end_b;
    return result;
}

bool has_stu_extension(const QByteArray &name)
{
    return name.size() >= 4 && name.right(4).toLower() == ".stu";
}

}  // namespace

bool student_list_less(const QByteArray &a, const QByteArray &b)
{
    int i = 0;
    int j = 0;
    while (i < a.size() && j < b.size()) {
        if (is_digit(a[i]) && is_digit(b[j])) {
            const int order = compare_numbers(a, i, b, j);
            if (order != 0)
                return order < 0;
            continue;
        }
        if (a[i] != b[j])
            return uchar(a[i]) < uchar(b[j]);
        ++i;
        ++j;
    }
    if ((i < a.size()) != (j < b.size()))
        return j < b.size();
    return a < b;
}

QString list_students(const QByteArray &st_dir, std::vector<QByteArray> *names, std::vector<QByteArray> *others)
{
    dir_entries entries;
    const QString failure = dir_list(st_dir, &entries);
    if (!failure.isEmpty())
        return failure;
    names->clear();
    others->clear();
    std::copy_if(entries.files.begin(), entries.files.end(), std::back_inserter(*names), has_stu_extension);
    std::copy_if(entries.others.begin(), entries.others.end(), std::back_inserter(*others), has_stu_extension);
    std::sort(names->begin(), names->end(), student_list_less);
    std::sort(others->begin(), others->end(), student_list_less);
    return {};
}
