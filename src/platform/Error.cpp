#include "platform/Error.h"

#include <cerrno>

#include "platform/NameCodec.h"

namespace kirafu {

std::string ReasonText(int err) {
    switch (err) {
        case ENOENT:
            return Sjis("ファイルまたはフォルダーがありません");
        case EACCES:
        case EPERM:
            return Sjis("アクセスが拒否されました");
        case ENOSPC:
            return Sjis("ディスクの空きがありません");
        case EDQUOT:
            return Sjis("ディスクの割り当てを超えました");
        case EROFS:
            return Sjis("書き込み禁止のドライブです");
        case EIO:
            return Sjis("入出力エラーです");
        case ELOOP:
            return Sjis("シンボリックリンクです");
        case EISDIR:
            return Sjis("フォルダーです");
        case ENOTDIR:
            return Sjis("フォルダーではありません");
        case EEXIST:
            return Sjis("同じ名前がすでにあります");
        case ENAMETOOLONG:
            return Sjis("名前が長すぎます");
        case EFBIG:
            return Sjis("ファイルが大きすぎます");
        case EMFILE:
        case ENFILE:
            return Sjis("開いているファイルが多すぎます");
        default:
            return Sjis("エラー番号 ") + std::to_string(err);
    }
}

void ThrowFileFailure(std::string_view drivePath, std::string_view doing, int err) {
    std::string text(drivePath);
    text += Sjis(" を");
    text += doing;
    text += Sjis("できません（");
    text += ReasonText(err);
    text += Sjis("）。");
    throw Failure(std::move(text));
}

}  // namespace kirafu
