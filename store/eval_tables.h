#pragma once
// The one open evaluation, held in fixed-capacity tables for the whole run.
// Students and questions are numbered from 1; row 0 and element 0 stay unused.

#include <QByteArray>
#include <QString>
#include <cstdint>

constexpr int MAX_STUDENTS = 1002;             // rows 1..1002
constexpr int MAX_QUESTIONS_PER_KIND = 1003;   // columns 1..1003
constexpr int QUESTION_TABLE_SIZE = 10003;
constexpr int STUDENT_ROWS = MAX_STUDENTS + 1;
constexpr int QUESTION_COLUMNS = MAX_QUESTIONS_PER_KIND + 1;
constexpr int MAX_FILE_NAME_BYTES = 1002;

// A choice answer or key: bit e (0..5) set means option 'A'+e is chosen.
using answer_set = std::int32_t;

struct choice_question {
    double full_score = 0;
    double part_score = 0;   // multiple choice only: points for a non-empty proper subset of the key
    answer_set key = 0;
};

struct unch_question {
    double full_score = 0;
    QString text;
    QString ref_answer;
};

extern int onech_cnt;
extern int some_cnt;
extern int unch_cnt;
extern int stu_cnt;
extern int cur_stu;   // student shown on the manual scoring page, 0 = none
extern int cur_pro;   // non-choice question shown there, 0 = none

extern choice_question onech_questions[QUESTION_TABLE_SIZE];
extern choice_question some_questions[QUESTION_TABLE_SIZE];
extern unch_question unch_questions[QUESTION_TABLE_SIZE];

extern answer_set onech_ans[STUDENT_ROWS][QUESTION_COLUMNS];
extern answer_set some_ans[STUDENT_ROWS][QUESTION_COLUMNS];
extern QString unch_ans[STUDENT_ROWS][QUESTION_COLUMNS];
extern double onech_score[STUDENT_ROWS][QUESTION_COLUMNS];
extern double some_score[STUDENT_ROWS][QUESTION_COLUMNS];
extern double unch_score[STUDENT_ROWS][QUESTION_COLUMNS];

// Bare 8-bit name of each student's answer file, ".stu" included; it also names the score file.
extern QByteArray stu_file[STUDENT_ROWS];

// Folder paths of the open evaluation, 8-bit, each ending as its name says.
extern QByteArray st_path;    // folder + "/st/"
extern QByteArray sc_path;    // folder + "/sc/"
extern QByteArray prb_path;   // folder + "/problem.prb"
extern QByteArray ans_path;   // folder + "/answer.ans"

// The letters of an answer set in ascending order ("AC" for 5); bits above F give nothing.
QString answer_letters(answer_set set);
