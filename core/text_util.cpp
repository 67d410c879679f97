#include "text_util.h"

size_t TextLength(const char* text)
{
    size_t length = 0;
    if (text == 0)
        return 0;
    while (text[length] != '\0')
        ++length;
    return length;
}

static bool Refuse(char* out, size_t outSize)
{
    if (out != 0 && outSize > 0)
        out[0] = '\0';
    return false;
}

bool SameText(const char* first, const char* second)
{
    if (first == 0 || second == 0)
        return first == second;
    for (; *first == *second; ++first, ++second) {
        if (*first == '\0')
            return true;
    }
    return false;
}

bool CopyText(char* out, size_t outSize, const char* text)
{
    size_t length = TextLength(text);
    if (out == 0 || length >= outSize)
        return Refuse(out, outSize);
    for (size_t i = 0; i < length; ++i)
        out[i] = text[i];
    out[length] = '\0';
    return true;
}

bool AppendText(char* out, size_t outSize, const char* text)
{
    if (out == 0 || outSize == 0)
        return false;
    size_t used = 0;
    while (used < outSize && out[used] != '\0')
        ++used;
    if (used == outSize)            // no terminator inside the buffer: not a text
        return Refuse(out, outSize);
    size_t length = TextLength(text);
    if (length >= outSize - used)
        return Refuse(out, outSize);
    for (size_t i = 0; i < length; ++i)
        out[used + i] = text[i];
    out[used + length] = '\0';
    return true;
}

bool JoinText(char* out, size_t outSize, const char* first, const char* second)
{
    return CopyText(out, outSize, first) && AppendText(out, outSize, second);
}

bool FormatText(char* out, size_t outSize, const char* pattern, const char* arg)
{
    if (out == 0 || outSize == 0 || pattern == 0)
        return Refuse(out, outSize);
    size_t used = 0;
    bool substituted = false;
    for (const char* p = pattern; *p != '\0'; ++p) {
        const char* piece = p;
        size_t pieceLength = 1;
        if (!substituted && p[0] == '%' && p[1] == 's') {
            piece = arg != 0 ? arg : "";
            pieceLength = TextLength(piece);
            substituted = true;
            ++p;
        }
        if (pieceLength >= outSize - used)
            return Refuse(out, outSize);
        for (size_t i = 0; i < pieceLength; ++i)
            out[used + i] = piece[i];
        used += pieceLength;
    }
    out[used] = '\0';
    return true;
}

bool FormatUnsigned(char* out, size_t outSize, unsigned long value)
{
    char digits[24];
    size_t count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    if (out == 0 || count >= outSize)
        return Refuse(out, outSize);
    for (size_t i = 0; i < count; ++i)
        out[i] = digits[count - 1 - i];
    out[count] = '\0';
    return true;
}

bool DeriveInstallDir(const char* modulePath, char* out, size_t outSize)
{
    size_t length = TextLength(modulePath);
    size_t keep = length == 0 ? 0 : 1;
    for (size_t i = length; i > 1; --i) {
        if (modulePath[i - 1] == '\\') {
            keep = i;
            break;
        }
    }
    if (out == 0 || keep >= outSize)
        return Refuse(out, outSize);
    for (size_t i = 0; i < keep; ++i)
        out[i] = modulePath[i];
    out[keep] = '\0';
    return true;
}

bool FolderWithoutTrailingSeparator(const char* folder, char* out, size_t outSize)
{
    size_t length = TextLength(folder);
    size_t keep = length == 0 ? 0 : length - 1;
    if (out == 0 || keep >= outSize)
        return Refuse(out, outSize);
    for (size_t i = 0; i < keep; ++i)
        out[i] = folder[i];
    out[keep] = '\0';
    return true;
}

bool QuoteText(char* out, size_t outSize, const char* text)
{
    return CopyText(out, outSize, "\"") && AppendText(out, outSize, text)
           && AppendText(out, outSize, "\"");
}

static char FoldAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool CommandNamesPath(const char* command, const char* path)
{
    if (command == 0 || path == 0)
        return false;
    size_t length = TextLength(command);
    if (length >= 2 && command[0] == '"' && command[length - 1] == '"') {
        ++command;
        length -= 2;
    }
    if (length != TextLength(path) || length == 0)
        return false;
    for (size_t i = 0; i < length; ++i) {
        if (FoldAscii(command[i]) != FoldAscii(path[i]))
            return false;
    }
    return true;
}
