// The GDI text calls: fonts, text metrics, measuring and drawing. Names, arguments and results
// as on Windows.
#pragma once

#include "platform/text/TextTypes.h"

namespace orvane::platform {

HFONT CreateFontW(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                  DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, LPCWSTR face);
BOOL GetTextMetricsW(HDC hdc, TEXTMETRICW* tm);
int GetTextFaceW(HDC hdc, int size, LPWSTR face);
BOOL GetTextExtentPoint32W(HDC hdc, LPCWSTR text, int length, SIZE* size);
BOOL GetTextExtentPointW(HDC hdc, LPCWSTR text, int length, SIZE* size);
BOOL GetTextExtentExPointW(HDC hdc, LPCWSTR text, int length, int maxExtent, int* fit, int* dx,
                           SIZE* size);
BOOL GetCharWidth32W(HDC hdc, UINT first, UINT last, INT* widths);
BOOL ExtTextOutW(HDC hdc, int x, int y, UINT options, const RECT* rc, LPCWSTR text, UINT length,
                 const INT* dx);
BOOL TextOutW(HDC hdc, int x, int y, LPCWSTR text, int length);
UINT SetTextAlign(HDC hdc, UINT align);
UINT GetTextAlign(HDC hdc);
int SetTextCharacterExtra(HDC hdc, int extra);
int GetTextCharacterExtra(HDC hdc);
// Lists the screen fonts: every installed family and the Windows face names that map to one.
// With a face name in the LOGFONTW, only that family is listed.
int EnumFontFamiliesExW(HDC hdc, LOGFONTW* filter, FONTENUMPROCW proc, LPARAM lParam, DWORD flags);
// Not a Windows call: where character `index` of a text shows when the text is drawn from
// x = 0 with ExtTextOutW and `options` (ETO_RTLREADING reorders it), as left and right edges.
BOOL GetCharacterSpan(HDC hdc, LPCWSTR text, int length, int index, UINT options, int* left,
                      int* right);

}  // namespace orvane::platform
