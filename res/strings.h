// Every text the programs show, in one place. UTF-8 source, wide literals:
// text reaches ANSI calls only through ToAnsi.
#pragma once

// Main window.
inline constexpr wchar_t kAppTitle[] = L"Reveilo";
inline constexpr wchar_t kFrameWakeTime[] = L"復帰時刻の設定";
inline constexpr wchar_t kLabelHour[] = L"時";
inline constexpr wchar_t kLabelMinute[] = L"分";
inline constexpr wchar_t kFrameUser[] = L"ユーザー情報";
inline constexpr wchar_t kLabelUserName[] = L"ユーザー名";
inline constexpr wchar_t kLabelPassword[] = L"パスワード";
inline constexpr wchar_t kCheckHibernateNow[] = L"今すぐ休止状態にする";
inline constexpr wchar_t kButtonSet[] = L"セットする";
inline constexpr wchar_t kMenuHelp[] = L"使い方(&H)";
// After the wake: how long the machine is kept up, then back to hibernation.
inline constexpr wchar_t kMenuAfterWake[] = L"復帰後(&A)";
inline constexpr wchar_t kMenuAwakeNone[] = L"起動したままにしない(&N)";
inline constexpr wchar_t kMenuKeepAwake[] = L"起動したままにする";
inline constexpr wchar_t kMenuHours[] = L" 時間";
inline constexpr wchar_t kMenuMinutes[] = L" 分間";
inline constexpr wchar_t kMenuRehibernate[] = L"その後、休止状態に戻す(&R)";
inline constexpr wchar_t kMenuViewLog[] = L"復帰の記録を見る(&L)";
inline constexpr wchar_t kMsgNoLogYet[] = L"復帰の記録（wake.log）はまだありません。";

// The Set command's messages.
inline constexpr wchar_t kMsgPastTime[] = L"指定の時刻は現在の時刻より過去のものです。";
inline constexpr wchar_t kMsgEmptyPassword[] =
    L"パスワードが入力されていませんが、そのまま実行してもいいですか？";
inline constexpr wchar_t kMsgScheduleFailed[] = L"スケジュールに失敗しました。";
inline constexpr wchar_t kMsgDone[] = L"設定完了しました。";
inline constexpr wchar_t kMsgWakeTimersOff[] =
    L"現在の電源プランの「スリープ解除タイマーの許可」が次のとおりのため、指定の時刻に復帰しない可能性があります。";
inline constexpr wchar_t kMsgWakeTimersRemedy[] =
    L"コントロール パネルの「電源オプション」→「プラン設定の変更」→「詳細な電源設定の変更」→「スリープ」→"
    L"「スリープ解除タイマーの許可」で「有効」にできます。このまま続けますか？";
// The power plan's own words for each source and value.
inline constexpr wchar_t kPowerSourceBattery[] = L"バッテリ駆動: ";
inline constexpr wchar_t kPowerSourceMains[] = L"電源に接続: ";
inline constexpr wchar_t kWakeTimersDisabled[] = L"無効";
inline constexpr wchar_t kWakeTimersImportantOnly[] = L"重要なスリープ解除タイマーのみ";
inline constexpr wchar_t kMsgHibernationOff[] =
    L"このコンピューターでは休止状態が無効になっています。このまま続けると、復帰のタスクは設定されますが、"
    L"休止状態にはなりません。\n\n休止状態を有効にするには、管理者として開いたコマンド プロンプトで "
    L"powercfg /h on を実行します（XP ではコントロール パネルの「電源オプション」→「休止状態」タブ）。"
    L"このまま続けますか？";
inline constexpr wchar_t kMsgClockCannotWake[] =
    L"このコンピューターは、時計（RTC）で復帰できるのはスリープからだけで、休止状態からはできないと報告しています。"
    L"このまま休止状態にすると、指定の時刻に復帰しない可能性があります。\n\n"
    L"BIOS/UEFI の設定で時計による起動（RTC Wake など）を有効にできることがあります。"
    L"「いいえ」を押して「今すぐ休止状態にする」のチェックを外せば、休止状態にせずにタスクだけを設定できます。"
    L"このまま続けますか？";
inline constexpr wchar_t kMsgFolderNotWritable[] =
    L"Reveilo のフォルダーにファイルを書き込めないため、設定できませんでした。";
inline constexpr wchar_t kMsgFolderNameNotAnsi[] =
    L"Reveilo のフォルダーの場所（パス）に、この Windows の文字コードで表せない文字が含まれているため、"
    L"設定できませんでした。場所のどのフォルダーの名前にも、英数字と日本語だけを使ってください。";
inline constexpr wchar_t kMsgMoveFolder[] =
    L"Reveilo のフォルダーごと、C:\\Tools\\Reveilo のようなローカル ドライブ上の書き込みできるフォルダーに"
    L"移してから、もう一度実行してください。";
inline constexpr wchar_t kMsgFolderOnNetwork[] =
    L"Reveilo のフォルダーがネットワーク上（\\\\サーバー\\共有）にあるため、"
    L"Windows XP ではタスクを設定できませんでした。";
inline constexpr wchar_t kMsgAccountControlCharacter[] =
    L"ユーザー名またはパスワードに制御文字（Ctrl+Z など）が含まれているため、設定できませんでした。"
    L"入力し直してください。";
inline constexpr wchar_t kMsgAccountNotInCodePage[] =
    L"ユーザー名またはパスワードに、この Windows のコマンド プロンプトの文字コードで表せない文字が"
    L"含まれているため、設定できませんでした。その文字を含まないアカウントを指定してください。";
// The countdown's seconds stand between these two.
inline constexpr wchar_t kMsgTooSoonToHibernate[] = L"今すぐ休止状態にすると、カウントダウンの ";
inline constexpr wchar_t kMsgTooSoonToHibernateRest[] =
    L" 秒と、休止状態への移行に見込む 2 分のあいだに復帰時刻が過ぎてしまい、復帰できません。"
    L"現在より 3 分以上先の時刻を指定してください。";
inline constexpr wchar_t kMsgNotHibernated[] =
    L"復帰のタスクは設定しましたが、休止状態にできませんでした。"
    L"休止状態が有効になっているか、このユーザーにシャットダウンの権限があるかを確認してください。";
inline constexpr wchar_t kMsgUserNameEmpty[] =
    L"ユーザー名が入力されていません。タスクを実行する Windows のユーザー名を入力してください。";
inline constexpr wchar_t kMsgUserNameQuote[] =
    L"ユーザー名に引用符（\"）は使えません。Windows のユーザー名をそのまま入力してください。";
inline constexpr wchar_t kMsgTimeDoesNotExist[] =
    L"指定の時刻は、夏時間への切り替えで時計が進むため存在しません。別の時刻を指定してください。";
inline constexpr wchar_t kMsgTimeComesTwice[] =
    L"指定の時刻は、夏時間の終了で時計が戻るため 2 回あり、どちらで復帰するか決まりません。"
    L"別の時刻を指定してください。";
inline constexpr wchar_t kMsgTooLateToHibernate[] =
    L"復帰のタスクは設定しましたが、タスクの設定中に復帰時刻が近づいたため、休止状態にしませんでした。"
    L"タスクは指定の時刻に実行されます。";
inline constexpr wchar_t kMsgAccountRefused[] =
    L"ユーザー名またはパスワードが正しくないため、設定できませんでした。"
    L"Windows のユーザー名とパスワードを確かめて入力し直してください。前に設定した復帰のタスクは変わりません。";
inline constexpr wchar_t kMsgPasswordNotStorable[] =
    L"パスワードに使用できない文字が含まれています。半角英数字と記号で入力してください。";

inline constexpr wchar_t kMsgShippedFileMissing[] =
    L"Reveilo と同じフォルダーに ";
inline constexpr wchar_t kMsgShippedFileMissingRest[] = L" がないため、設定できませんでした。";
inline constexpr wchar_t kMsgUnzipWholeFolder[] =
    L"zip ファイルの中から直接実行せずに、zip ファイルをフォルダーごとすべて展開してから、"
    L"展開先の Reveilo.exe を実行してください。";

// The second line of 「スケジュールに失敗しました。」: why.
inline constexpr wchar_t kReasonUnreadableTime[] =
    L"日付または時刻を読み取れません。時は 0～23、分は 0～59 の数字で入力してください（全角の数字も使えます）。";
inline constexpr wchar_t kReasonBatchNotWritten[] = L"AddTask.bat または Startup.bat を書き込めませんでした。";
inline constexpr wchar_t kReasonBatchNotStarted[] = L"AddTask.bat を実行できませんでした。";
inline constexpr wchar_t kReasonProgramMissing[] =
    L"復帰後にタスクが起動する Reveilo.exe が Reveilo のフォルダーに見つかりません。"
    L"名前を変えた場合は Reveilo.exe に戻してください。";
inline constexpr wchar_t kReasonJtNotFound[] =
    L"Reveilo のフォルダーに jt.exe が見つかりません。";
inline constexpr wchar_t kReasonJtSaveFailed[] =
    L"タスク スケジューラがタスクの保存を受け付けませんでした。";
inline constexpr wchar_t kReasonJtLineRefused[] = L"jt.exe がコマンドを受け付けませんでした。";
inline constexpr wchar_t kReasonJtNoScheduler[] =
    L"タスク スケジューラに接続できませんでした。「Task Scheduler」サービスが停止していないか確認してください。";
inline constexpr wchar_t kReasonJtAccount[] =
    L"ユーザー名またはパスワードが正しくないため、タスク スケジューラがタスクを受け付けませんでした。";
inline constexpr wchar_t kReasonJtExit[] =
    L"jt.exe が終了コード ";
inline constexpr wchar_t kReasonJtExitRest[] = L" で終了しました。";
// Why a saved task was not as asked; kReasonRemoved or kReasonNotRemoved follows.
inline constexpr wchar_t kReasonNeverRuns[] =
    L"タスク スケジューラが、このタスクを指定の時刻には実行しないと答えたため（指定の時刻がすでに過ぎているなど）、";
inline constexpr wchar_t kReasonOtherTime[] =
    L"タスク スケジューラに保存されたタスクの実行時刻が指定と違っていたため、";
inline constexpr wchar_t kReasonDisabled[] =
    L"タスク スケジューラでこのタスクが無効になっていたため、";
inline constexpr wchar_t kReasonNoWake[] =
    L"タスク スケジューラでこのタスクが「タスクを実行するためにスリープを解除する」設定になっていなかったため、";
inline constexpr wchar_t kReasonOtherProgram[] =
    L"タスク スケジューラのタスクが指定と違うプログラムを実行する設定になっていたため、";
inline constexpr wchar_t kReasonNotAsAsked[] =
    L"タスク スケジューラに保存されたタスクが指定のとおりではなかったため、";
inline constexpr wchar_t kReasonRemoved[] = L"Reveilo はタスクを削除しました。";
inline constexpr wchar_t kReasonNotRemoved[] =
    L"Reveilo はタスクを削除しようとしましたが、削除できませんでした。指定と違うタスクが残っています。"
    L"manual.txt の「設定した復帰を取り消すには」のとおりに削除してください。";
// Followed by the failure's code and the full stop.
inline constexpr wchar_t kReasonComponent[] =
    L"タスクのコンポーネント ReveiloTask.dll を使えませんでした";
// What a failure's number means, where a person can act on it.
inline constexpr wchar_t kHrAccessDenied[] =
    L"アクセスが拒否されました。別のアカウントが設定した同じ名前のタスクがあるときは、そのアカウントか"
    L"管理者のアカウントで実行してください（Vista 以降では「管理者として実行」）。";
inline constexpr wchar_t kHrServiceNotRunning[] = L"「Task Scheduler」サービスが実行されていません。";
inline constexpr wchar_t kHrNoSuchAccount[] = L"そのユーザー名のアカウントがありません。";
inline constexpr wchar_t kHrLogonFailure[] = L"ユーザー名またはパスワードが正しくありません。";
// A failure's code inside the sentence that names it.
inline constexpr wchar_t kErrorCodeOpen[] = L"（エラー コード ";
inline constexpr wchar_t kErrorCodeClose[] = L"）。";

// The wake record, wake.log.
inline constexpr wchar_t kLogSet[] = L" 設定 復帰予定 ";
inline constexpr wchar_t kLogEarlierWakers[] = L"これより前に復帰させるタスク: ";
inline constexpr wchar_t kLogNone[] = L"なし";
inline constexpr wchar_t kLogNotScanned[] = L"タスク スケジューラに問い合わせられなかったため、分かりません";
inline constexpr wchar_t kLogMoreBefore[] = L"、ほか ";
inline constexpr wchar_t kLogUnreadableTasks[] = L"、読み取れなかったタスク ";
inline constexpr wchar_t kLogUnreadableFolders[] = L"、読み取れなかったフォルダー ";
inline constexpr wchar_t kLogCount[] = L" 件";
inline constexpr wchar_t kLogRouteXp[] = L"タスク Resume";
inline constexpr wchar_t kLogRouteVista[] = L"タスク ResumeRV";
inline constexpr wchar_t kLogResumed[] = L" 復帰 ";
inline constexpr wchar_t kLogCameBackSoonBefore[] = L"休止状態に入ってから ";
inline constexpr wchar_t kLogCameBackSoonAfter[] = L" 秒で復帰しました。";
inline constexpr wchar_t kLogPersonAtTime[] =
    L"指定の時刻に復帰しました。コンピューターの前に人がいたため、タイマーで復帰したかどうかは判定できません。";
inline constexpr wchar_t kLogOnTime[] = L"指定の時刻にタイマーで復帰しました。";
inline constexpr wchar_t kLogLate[] = L"指定の時刻より後に自動で復帰しました。";
inline constexpr wchar_t kLogByPersonBefore[] =
    L"指定の時刻より前に手動で起動されました。復帰のタスクはそのまま残っています。";
inline constexpr wchar_t kLogClockChanged[] = L"休止状態のあいだに時計が戻されたため、復帰のしかたを判定できません。";
inline constexpr wchar_t kLogNotByItself[] = L"指定の時刻に自動では復帰せず、手動で起動されました。考えられる原因: ";
inline constexpr wchar_t kLogUsualCauses[] = L"BIOS/UEFI で時計（RTC）による起動が無効、BitLocker の PIN 入力待ちなど。";
inline constexpr wchar_t kLogCauseWakeTimers[] = L"電源プランの「スリープ解除タイマーの許可」が「有効」でない";
inline constexpr wchar_t kLogCauseClock[] = L"このコンピューターの時計が休止状態からの復帰に対応していない";
inline constexpr wchar_t kLogEarly[] = L"指定の時刻より前に自動で復帰しました。";
inline constexpr wchar_t kLogEarlyWaker[] = L"その時刻に予定されていたタスク: ";
inline constexpr wchar_t kLogEarlyUnknown[] = L"復帰させたものは分かりません。";
inline constexpr wchar_t kLogWakeSource[] = L"イベント ログの復帰元: ";
inline constexpr wchar_t kLogHibernation[] = L" 休止状態 ";
// The wake mode: what it held, and how it ended.
inline constexpr wchar_t kLogAfterWake[] = L" 復帰後 ";
inline constexpr wchar_t kLogWakeModeStarted[] = L"タスクが始まりました。";
inline constexpr wchar_t kLogWakeModeHolding[] = L"スリープさせずに待ちます";
inline constexpr wchar_t kLogResumeAutomatic[] = L"（Windows の判定: 自動での復帰）。";
inline constexpr wchar_t kLogResumeNotAutomatic[] = L"（Windows の判定: 自動での復帰ではありません）。";
inline constexpr wchar_t kLogHoldRefused[] = L"Windows がスリープの抑止を受け付けませんでした。";
inline constexpr wchar_t kLogHeldNobody[] = L"操作がなかったため、スリープの抑止を終えました。";
inline constexpr wchar_t kLogPersonWithinAMinute[] = L"1 分たたないうちに";
inline constexpr wchar_t kLogPersonAfter[] = L" 分後に";
inline constexpr wchar_t kLogPersonCame[] =
    L"操作があったため、スリープの抑止を終えました。以後は Windows の電源設定に従います。";
inline constexpr wchar_t kLogRehibernating[] = L"休止状態に戻します。";
inline constexpr wchar_t kLogHeldInputUnknown[] =
    L"スリープさせずに待ちました。操作があったかどうかは Windows から得られませんでした。";
inline constexpr wchar_t kLogCannotWatchInput[] =
    L"コンピューターの前に人がいないことを確かめられないため、休止状態には戻しません。";
inline constexpr wchar_t kLogRehibernateRefused[] = L"Windows が休止状態への移行を受け付けませんでした。";
inline constexpr wchar_t kLogHibernationRefused[] =
    L"Windows が休止状態への移行を受け付けませんでした。復帰のタスクはそのまま残っています。";

// Countdown dialog.
inline constexpr wchar_t kSuspendLabel[] = L"休止状態にします．．．";
inline constexpr wchar_t kSuspendCancel[] = L"キャンセル";
inline constexpr wchar_t kSuspendFontFace[] = L"ＭＳ Ｐゴシック";

// jt.exe, the Task Scheduler command tool.
inline constexpr wchar_t kJtUsage[] =
    L"使い方: jt.exe [/sd 名前] [/sc ユーザー パスワード] [/ctj キー=値...] [/sj キー=値...] "
    L"[/saj 名前] [/pj [名前]]";
inline constexpr wchar_t kJtUnknownCommand[] = L"不明なコマンドです: ";
inline constexpr wchar_t kJtMissingName[] = L"ジョブ名がありません: ";
inline constexpr wchar_t kJtMissingAccount[] = L"ユーザー名がありません: ";
inline constexpr wchar_t kJtBadAccount[] = L"ユーザー名かパスワードの引用符が閉じていません: ";
inline constexpr wchar_t kJtUnknownKey[] = L"不明なキーです: ";
inline constexpr wchar_t kJtBadDate[] = L"日付が正しくありません: ";
inline constexpr wchar_t kJtBadTime[] = L"時刻が正しくありません: ";
inline constexpr wchar_t kJtBadValue[] = L"値が正しくありません: ";
inline constexpr wchar_t kJtUnclosedQuote[] = L"引用符が閉じていません: ";
inline constexpr wchar_t kJtTriggerIncomplete[] = L"StartDate と StartTime が必要です: ";
inline constexpr wchar_t kJtNoSuchJob[] = L"削除するジョブはありません: ";
inline constexpr wchar_t kJtDeleted[] = L"ジョブを削除しました: ";
inline constexpr wchar_t kJtDeleteFailed[] = L"ジョブを削除できませんでした: ";
inline constexpr wchar_t kJtSaved[] = L"ジョブを保存しました: ";
inline constexpr wchar_t kJtSaveFailed[] = L"ジョブを保存できませんでした: ";
inline constexpr wchar_t kJtNoScheduler[] = L"タスク スケジューラに接続できません。";
inline constexpr wchar_t kJtNothingToPrint[] = L"表示するジョブがありません。";
inline constexpr wchar_t kJtPrintJob[] = L"ジョブ: ";
inline constexpr wchar_t kJtPrintCreator[] = L"作成者: ";
inline constexpr wchar_t kJtPrintApplication[] = L"アプリケーション: ";
inline constexpr wchar_t kJtPrintComment[] = L"コメント: ";
inline constexpr wchar_t kJtPrintAccount[] = L"アカウント: ";
inline constexpr wchar_t kJtPrintFlags[] = L"フラグ:";
inline constexpr wchar_t kJtPrintTrigger[] = L"トリガー: ";
inline constexpr wchar_t kJtPrintNextRun[] = L"次回の実行: ";
inline constexpr wchar_t kJtPrintNoNextRun[] = L"次回の実行: なし";
inline constexpr wchar_t kJtPrintOnce[] = L" 1 回";
inline constexpr wchar_t kJtPrintDisabled[] = L" (無効)";

// Start-up with a command line that cannot be taken apart.
inline constexpr wchar_t kMsgBadCommandLine[] =
    L"コマンド ラインの形式が正しくありません。\n"
    L"書式: Reveilo.exe 年/月/日 時:分 ユーザー名 パスワード [/awake:分] [/rehibernate] [x]";

// The task component's failure descriptions (EXCEPINFO of "AddTask").
inline constexpr wchar_t kTaskBadStart[] = L"開始日時が yyyy/mm/dd hh:mm:ss の形式ではありません: ";
inline constexpr wchar_t kTaskNoName[] = L"タスク名が空です。";
inline constexpr wchar_t kTaskBadLimit[] = L"実行時間の上限（分）が 1 から 1440 の数字ではありません: ";
// These four are followed by the failure's code and the full stop.
inline constexpr wchar_t kTaskNoScheduler[] = L"タスク スケジューラ 2.0 を利用できませんでした";
inline constexpr wchar_t kTaskNoConnection[] = L"タスク スケジューラに接続できませんでした";
inline constexpr wchar_t kTaskNoFolder[] = L"タスク フォルダーを開けませんでした";
inline constexpr wchar_t kTaskRefused[] = L"タスクを登録できませんでした";
