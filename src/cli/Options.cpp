#include "cli/Options.h"

namespace kirafu::cli {

const char* UsageText() {
    return "使い方: kirafu-cli [オプション] コマンド [引数]\n"
           "\n"
           "コマンド:\n"
           "  drives          ドライブ表（ドライブ文字とフォルダー）を表示する\n"
           "  update [DRIVE]  DRIVE を調査して基準ファイルを作り直す（更新）\n"
           "  start [DRIVE]   DRIVE を調査して前回の基準と比べ、結果を表示してログに書く\n"
           "  show LOGFILE    過去の結果ログを表示する\n"
           "DRIVE は C や c: のようなドライブ文字（大文字・小文字はそのまま使う）。\n"
           "省略すると現在のフォルダーのドライブ。\n"
           "\n"
           "オプション:\n"
           "  --large                大きな表を使う（100万ファイル、1階層5000フォルダーまで）\n"
           "  --color=auto|always|never  変更の種類ごとに色を付ける（既定 auto）\n"
           "  --hide-lost            上書きにより失われたファイル（!）を表示しない\n"
           "  --help                 この説明を表示する\n"
           "  --version              版数を表示する\n"
           "\n"
           "終了コード: 0 変更なし・成功、1 変更あり（start）、2 エラー\n"
           "ドライブ表は環境変数 KIRAFU_DRIVES（例 C=/;D=/media/usb）で指定できる。\n";
}

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error) {
    Options o;
    std::vector<std::string> words;
    for (const std::string& a : args) {
        if (a == "--large") {
            o.large = true;
        } else if (a == "--hide-lost") {
            o.hideLost = true;
        } else if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--version") {
            o.version = true;
        } else if (a == "--color" || a == "--color=always") {
            o.color = ColorMode::kAlways;
        } else if (a == "--color=auto") {
            o.color = ColorMode::kAuto;
        } else if (a == "--color=never") {
            o.color = ColorMode::kNever;
        } else if (a.size() > 1 && a[0] == '-') {
            error = "不明なオプションです: " + a;
            return std::nullopt;
        } else {
            words.push_back(a);
        }
    }
    if (o.help || o.version) return o;
    if (words.empty()) {
        error = "コマンドがありません";
        return std::nullopt;
    }
    o.command = words[0];
    const bool takesDrive = o.command == "update" || o.command == "start";
    const bool takesFile = o.command == "show";
    if (!takesDrive && !takesFile && o.command != "drives") {
        error = "不明なコマンドです: " + o.command;
        return std::nullopt;
    }
    size_t maxWords = o.command == "drives" ? 1 : 2;
    if (words.size() > maxWords) {
        error = "引数が多すぎます: " + words[maxWords];
        return std::nullopt;
    }
    if (words.size() == 2) o.argument = words[1];
    if (takesFile && !o.argument) {
        error = "show にはログファイルを指定してください";
        return std::nullopt;
    }
    return o;
}

}  // namespace kirafu::cli
