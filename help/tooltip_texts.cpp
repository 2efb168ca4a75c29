// The help texts of the main dialog's tooltips. Each text is one to seven
// fixed lines joined by CR LF; a multi-line text is composed from one of the
// four templates below.
#include "help/tooltip_texts.h"

#include <cstdio>

#include "res/resource.h"

namespace {

const char kTwoLines[] = "%s\r\n%s";
const char kThreeLines[] = "%s\r\n%s\r\n%s";
const char kFourLines[] = "%s\r\n%s\r\n%s\r\n%s";
const char kFourLinesGapThreeLines[] = "%s\r\n%s\r\n%s\r\n%s\r\n\r\n%s\r\n%s\r\n%s";

const char kNtfsLastAccessLine1[] = "NTFS はフォルダにアクセスするたびに、フォルダの最終アクセス日時を更新している。";
const char kNtfsLastAccessLine2[] = "これを無効にして NTFS のアクセス速度を向上させることがでる。";

const char kNtfs8dot3Line1[] = "NTFS は互換性を維持するために 8+3 文字形式のファイル名を内部的に作成している。";
const char kNtfs8dot3Line2[] = "DOS アプリケーションや Windows3.1 アプリケーションを全く使わないと断定できるならば、";
const char kNtfs8dot3Line3[] = "この処理を中止させて、 NTFS のアクセス速度を向上させることができる。";

const char kAlwaysUnloadDll[] = "不要なDLLをメモリから削除する。";

const char kDesktopProcessLine1[] = "エクスプローラを別プロセスで実行する。";
const char kDesktopProcessLine2[] = "この設定を行うことにより、エクスプローラの応答が停止してしまった";
const char kDesktopProcessLine3[] = "場合でも、デスクトップやタスクバーにアクセスできるようになる。";

const char kLargeSystemCacheLine1[] = "アプリケーションの起動用メモリを空き物理メモリに解放することで、";
const char kLargeSystemCacheLine2[] = "若干ながらアプリケーションの処理速度が向上する。";

const char kClassicShellLine1[] = "エクスプローラの「お気に入り」を非表示にする。";
const char kClassicShellLine2[] = "エクスプローラの「表示」－「写真」を非表示にする。";
const char kClassicShellLine3[] = "フォルダオプションのWeb表示を無効にする。";
const char kClassicShellLine4[] = "フォルダの「プロパティ」－「デスクトップ」タブを非表示にする。";

const char kNoActiveDesktopLine1[] = "アクティブ デスクトップを無効にする。";
const char kNoActiveDesktopLine2[] =
    "「画面のプロパティ」－「デスクトップ」－「背景」にビットマップ項目のみリストされる。";

const char kNoCustomizeWebView[] = "「フォルダのプロパティ」－「カスタマイズ」タブを非表示にする。";

// Also the last line of the NoActiveDesktop text.
const char kNoActiveDesktopChanges[] = "「画面のプロパティ」－「デスクトップ項目」－「Web」タブを非表示にする。";

const char kDisablePagingExecutiveLine1[] = "十分な物理メモリを搭載している場合、カーネルメモリは全て";
const char kDisablePagingExecutiveLine2[] = "メインメモリ上に置くようにすることで高速化できる。 ";

const char kIrq8PriorityLine1[] =
    "CMOS/リアルタイムクロック（IRQ8）のプライオリティを上げることで、速度の向上ができる。";
const char kIrq8PriorityLine2[] = "1 = プライオリティを上げる。";
const char kIrq8PriorityLine3[] = "2 = プライオリティをさらに上げる。";

const char kWin32PrioritySeparationLine1[] = "タスクの切り替え間隔を変更し，アプリケーションのレスポンスを高速化する。";
const char kWin32PrioritySeparationLine2[] = "0 = フォアグラウンド 1 : バックグラウンド 1";
const char kWin32PrioritySeparationLine3[] = "1 = フォアグラウンド 2 : バックグラウンド 1";
const char kWin32PrioritySeparationLine4[] = "2 = フォアグラウンド 3 : バックグラウンド 1 （デフォルト）";

const char kIoPageLockLimitLine1[] =
    "デバイスドライバが利用できる最大のI/Oバッファサイズを、メモリ搭載量に応じ適切な値を設定することで、";
const char kIoPageLockLimitLine2[] =
    "パフォーマンスが向上する。推奨値は，物理メモリが128MBなら16384、256MBなら65536となっているらしい。";
const char kIoPageLockLimitLine3[] = "なお，0を指定するとデフォルト値の512KBに設定される。";
const char kIoPageLockLimitLine4[] =
    "実際の計算方法は以下になり、この式で計算した値の半分くらいで設定し、様子を見ながら最適値を決めてもいいらしい。";
const char kIoPageLockLimitLine5[] = "[実際の計算方法]";
const char kIoPageLockLimitLine6[] =
    "物理メモリ量が64Mバイト～500Mバイトの場合 (128-16)×1024×1024=117440512（バイト）が最大値となるんだって。";
const char kIoPageLockLimitLine7[] =
    "物理メモリ量が512Mバイト以上の場合 (512-64)×1024×1024=469762048（バイト）が最大値となるんだって。";

const char kNoSharedDocuments[] = "マイコンピュータの「共有ドキュメント」を不可視にする。";

const char kUseSearchAsst[] = "WindowsXPの検索画面をWindows2000形式の検索画面にする。";

const char kMaxCachedIconsLine1[] = "エクスプローラのアイコン表示を早くする。";
const char kMaxCachedIconsLine2[] = "最適値は1024か2048らしい。";
const char kMaxCachedIconsLine3[] = "100～4096（デフォルト500）";

const char kNoResolveTrack[] = "ショートカットのリンク先を追跡する機能をオフにする。";

const char kShellIntegrationLine1[] = "シェルとIE6の統合で得られる機能が必要ないなら，双方の統合を";
const char kShellIntegrationLine2[] = "無効にすることでWindowsXPの動作速度が高速化します．．．";
template <typename... Lines>
std::string Compose(const char* lineTemplate, Lines... lines)
{
    // The longest text (IoPageLockLimit) is under 600 bytes.
    char buffer[2000];
    std::snprintf(buffer, sizeof buffer, lineTemplate, lines...);
    return buffer;
}

}  // namespace

std::string BuildTooltipText(unsigned int controlId)
{
    switch (controlId) {
    case IDC_NTFS_LAST_ACCESS:
        return Compose(kTwoLines, kNtfsLastAccessLine1, kNtfsLastAccessLine2);
    case IDC_NTFS_8DOT3:
        return Compose(kThreeLines, kNtfs8dot3Line1, kNtfs8dot3Line2, kNtfs8dot3Line3);
    case IDC_ALWAYS_UNLOAD_DLL:
        return kAlwaysUnloadDll;
    case IDC_DESKTOP_PROCESS:
        return Compose(kThreeLines, kDesktopProcessLine1, kDesktopProcessLine2, kDesktopProcessLine3);
    case IDC_LARGE_SYSTEM_CACHE:
        return Compose(kTwoLines, kLargeSystemCacheLine1, kLargeSystemCacheLine2);
    case IDC_CLASSIC_SHELL:
        return Compose(kFourLines, kClassicShellLine1, kClassicShellLine2, kClassicShellLine3, kClassicShellLine4);
    case IDC_NO_ACTIVE_DESKTOP:
        return Compose(kThreeLines, kNoActiveDesktopLine1, kNoActiveDesktopLine2, kNoActiveDesktopChanges);
    case IDC_NO_CUSTOMIZE_WEB_VIEW:
        return kNoCustomizeWebView;
    case IDC_NO_ACTIVE_DESKTOP_CHANGES:
        return kNoActiveDesktopChanges;
    case IDC_DISABLE_PAGING_EXECUTIVE:
        return Compose(kTwoLines, kDisablePagingExecutiveLine1, kDisablePagingExecutiveLine2);
    case IDC_IRQ8_PRIORITY:
        return Compose(kThreeLines, kIrq8PriorityLine1, kIrq8PriorityLine2, kIrq8PriorityLine3);
    case IDC_WIN32_PRIORITY_SEPARATION:
        return Compose(kFourLines, kWin32PrioritySeparationLine1, kWin32PrioritySeparationLine2,
                       kWin32PrioritySeparationLine3, kWin32PrioritySeparationLine4);
    case IDC_IO_PAGE_LOCK_LIMIT:
        return Compose(kFourLinesGapThreeLines, kIoPageLockLimitLine1, kIoPageLockLimitLine2, kIoPageLockLimitLine3,
                       kIoPageLockLimitLine4, kIoPageLockLimitLine5, kIoPageLockLimitLine6, kIoPageLockLimitLine7);
    case IDC_NO_SHARED_DOCUMENTS:
        return kNoSharedDocuments;
    case IDC_USE_SEARCH_ASST:
        return kUseSearchAsst;
    case IDC_MAX_CACHED_ICONS:
        return Compose(kThreeLines, kMaxCachedIconsLine1, kMaxCachedIconsLine2, kMaxCachedIconsLine3);
    case IDC_NO_RESOLVE_TRACK:
        return kNoResolveTrack;
    case IDC_SHELL_INTEGRATION_GROUP:
        return Compose(kTwoLines, kShellIntegrationLine1, kShellIntegrationLine2);
    default:
        // OK, Cancel, Apply and every control without help.
        return std::string();
    }
}
