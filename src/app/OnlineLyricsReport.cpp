#include "app/OnlineLyricsReport.h"

#include "common/IntText.h"
#include "common/ProgramText.h"

namespace vesk {

namespace {

constexpr ProgramText kInstrumentalNote{"■Instrumental："};

constexpr ProgramText kOpenQuote{"「"};
constexpr ProgramText kNotFound{"」の歌詞は見つかりませんでした。"};
constexpr ProgramText kInstrumental{
    "」は歌詞のない曲（インストゥルメンタル）として登録されています。"};
constexpr ProgramText kExists{
    "」の歌詞ファイルは歌詞フォルダにすでにあるので、そのままにしました："};
constexpr ProgramText kBesideEntry{
    "」の歌詞を保存しました。歌詞リストに登録があるので、表示はそちらのままです："};
constexpr ProgramText kNotSaved{"」の歌詞は見つかりましたが、保存できません："};
constexpr ProgramText kFailed{"」の歌詞を探せませんでした。"};

constexpr ProgramText kBadAddress{
    "設定画面の「拡張」にある歌詞サービスのアドレスが正しくありません。"};
constexpr ProgramText kNotHttps{
    "歌詞サービスのアドレスが「https://」で始まっていません。安全のため、このパソコンの中の"
    "サーバー以外には https で接続します。"};
constexpr ProgramText kNoWinHttp{"インターネットに接続するための Windows の機能を使えません。"};
constexpr ProgramText kNameNotResolved{
    "歌詞サービスのサーバーが見つかりません。インターネットにつながっているか、アドレスが"
    "正しいかを確かめてください。"};
constexpr ProgramText kCannotConnect{
    "歌詞サービスのサーバーに接続できません。しばらくしてからもう一度お試しください。"};
constexpr ProgramText kTimedOut{
    "歌詞サービスから時間内に返事がありませんでした。しばらくしてからもう一度お試しください。"};
constexpr ProgramText kSecureChannel{
    "歌詞サービスと安全に通信できませんでした（サーバーの証明書を確かめられません）。"};
constexpr ProgramText kNetwork{"歌詞サービスとの通信中にエラーが起きました。"};
constexpr ProgramText kHttpStatus{"歌詞サービスがエラーを返しました（HTTP "};
constexpr ProgramText kTryLater{"）。しばらくしてからもう一度お試しください。"};

constexpr std::string_view kLineBreak = "\r\n";

std::string Quoted(std::string_view title, const ProgramText& tail) {
    return kOpenQuote.Ansi() + std::string(title) + tail.Ansi();
}

std::string FailureReason(const SearchResult& result) {
    switch (result.failure) {
        case SearchFailure::kBadAddress:
            return kBadAddress.Ansi();
        case SearchFailure::kNotHttps:
            return kNotHttps.Ansi();
        case SearchFailure::kNoWinHttp:
            return kNoWinHttp.Ansi();
        case SearchFailure::kNameNotResolved:
            return kNameNotResolved.Ansi();
        case SearchFailure::kCannotConnect:
            return kCannotConnect.Ansi();
        case SearchFailure::kTimedOut:
            return kTimedOut.Ansi();
        case SearchFailure::kSecureChannel:
            return kSecureChannel.Ansi();
        case SearchFailure::kHttpStatus:
            return kHttpStatus.Ansi() + IntToText(result.httpStatus) + kTryLater.Ansi();
        case SearchFailure::kNone:
        case SearchFailure::kNetwork:
            break;
    }
    return kNetwork.Ansi();
}

}  // namespace

std::string InstrumentalNote(std::string_view title) {
    return kInstrumentalNote.Ansi() + std::string(title);
}

SearchReport TraySearchReport(const SearchResult& result, OnlineSave save, std::string_view path) {
    const std::string_view title = result.title;
    switch (result.outcome) {
        case SearchOutcome::kFound:
            switch (save) {
                case OnlineSave::kSaved:
                    return {};
                case OnlineSave::kBesideEntry:
                    return {
                        Quoted(title, kBesideEntry) + std::string(kLineBreak) + std::string(path),
                        false};
                case OnlineSave::kExists:
                    return {Quoted(title, kExists) + std::string(kLineBreak) + std::string(path),
                            false};
                case OnlineSave::kNotSaved:
                    return {Quoted(title, kNotSaved) + std::string(kLineBreak) + std::string(path),
                            true};
            }
            break;
        case SearchOutcome::kInstrumental:
            return {Quoted(title, kInstrumental), false};
        case SearchOutcome::kNotFound:
            return {Quoted(title, kNotFound), false};
        case SearchOutcome::kFailed:
            break;
    }
    return {Quoted(title, kFailed) + std::string(kLineBreak) + FailureReason(result), true};
}

}  // namespace vesk
