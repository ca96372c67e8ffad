/* A host of qx_cntl: an order dialog made from a resource template, with an
 * integer edit and a month calendar. The summary line follows the user's
 * changes through the controls' notifications; OK reads the values back.
 *
 *   dialog.exe          shows the dialog
 *   dialog.exe /check   fills it in, presses OK itself and prints what it
 *                       read back (for scripts)
 */
#include <stdio.h>
#include <string.h>

#include <windows.h>

#include <qx_cntl.h>

#include "resource.h"

static int check_mode;

/* Reads both controls into text (64 bytes): "<quantity> on <yyyy-mm-dd>". */
static void ReadOrder(HWND dlg, char *text)
{
    HWND calendar = GetDlgItem(dlg, IDC_DELIVERY);
    long quantity = 0;
    int year = 0, month = 0, day = 0;

    QXIntGetValue(GetDlgItem(dlg, IDC_QUANTITY), &quantity);
    QXCalGetYear(calendar, &year);
    QXCalGetMonth(calendar, &month);
    QXCalGetDay(calendar, &day);
    wsprintfA(text, "%ld on %04d-%02d-%02d", quantity, year, month, day);
}

static void ShowSummary(HWND dlg)
{
    char text[64];
    ReadOrder(dlg, text);
    SetDlgItemTextA(dlg, IDC_SUMMARY, text);
}

static INT_PTR CALLBACK OrderProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp)
{
    char text[64];
    (void)lp;
    switch (msg) {
    case WM_INITDIALOG:
        QXIntSetRange(GetDlgItem(dlg, IDC_QUANTITY), 1, 500);
        QXIntSetValue(GetDlgItem(dlg, IDC_QUANTITY), 1);
        ShowSummary(dlg);
        if (check_mode) {
            HWND calendar = GetDlgItem(dlg, IDC_DELIVERY);
            QXCalSetYear(calendar, 2027);
            QXCalSetMonth(calendar, 3);
            QXCalSetDay(calendar, 15);
            /* A new text is checked and notified (EN_CHANGE) as typing is. */
            SetDlgItemTextA(dlg, IDC_QUANTITY, "12");
            PostMessageA(dlg, WM_COMMAND, IDOK, 0);
        }
        return TRUE;
    case WM_COMMAND:
        if ((LOWORD(wp) == IDC_QUANTITY && HIWORD(wp) == EN_CHANGE) ||
            (LOWORD(wp) == IDC_DELIVERY && HIWORD(wp) == QXCN_DAYDBLCLK)) {
            ShowSummary(dlg);
            return TRUE;
        }
        if (LOWORD(wp) == IDOK) {
            ReadOrder(dlg, text);
            printf("ordered: %s\n", text);
            GetDlgItemTextA(dlg, IDC_SUMMARY, text, sizeof text);
            printf("summary: %s\n", text);
        }
        if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) {
            EndDialog(dlg, LOWORD(wp));
            return TRUE;
        }
        break;
    }
    return FALSE;
}

int main(int argc, char **argv)
{
    HINSTANCE instance = GetModuleHandleA(NULL);
    INT_PTR result;

    check_mode = argc > 1 && strcmp(argv[1], "/check") == 0;
    if (!RegisterQXCtls(instance)) {
        fprintf(stderr, "dialog: RegisterQXCtls failed\n");
        return 1;
    }
    result = DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_ORDER), NULL, OrderProc, 0);
    UnregisterQXCtls(instance);
    return result == IDOK ? 0 : 1;
}
