#include "store/eval_tables.h"

int onech_cnt = 0;
int some_cnt = 0;
int unch_cnt = 0;
int stu_cnt = 0;
int cur_stu = 0;
int cur_pro = 0;

choice_question onech_questions[QUESTION_TABLE_SIZE];
choice_question some_questions[QUESTION_TABLE_SIZE];
unch_question unch_questions[QUESTION_TABLE_SIZE];

answer_set onech_ans[STUDENT_ROWS][QUESTION_COLUMNS];
answer_set some_ans[STUDENT_ROWS][QUESTION_COLUMNS];
QString unch_ans[STUDENT_ROWS][QUESTION_COLUMNS];
double onech_score[STUDENT_ROWS][QUESTION_COLUMNS];
double some_score[STUDENT_ROWS][QUESTION_COLUMNS];
double unch_score[STUDENT_ROWS][QUESTION_COLUMNS];

QByteArray stu_file[STUDENT_ROWS];

QByteArray st_path;
QByteArray sc_path;
QByteArray prb_path;
QByteArray ans_path;

QString answer_letters(answer_set set)
{
    QString letters;
    for (int e = 0; e < 6; ++e) {
        if (set & (1 << e))
            letters += QChar('A' + e);
    }
    return letters;
}
