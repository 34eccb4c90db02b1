; The setup program's own texts, in English and Japanese.

LangString PRODUCT_NAME ${LANG_ENGLISH} "VANTERA Film Scanner QX-52"
LangString PRODUCT_NAME ${LANG_JAPANESE} "VANTERA フィルムスキャナ QX-52"

LangString SETUP_CAPTION ${LANG_ENGLISH} "VANTERA Film Scanner QX-52 ${QX_VERSION} Setup"
LangString SETUP_CAPTION ${LANG_JAPANESE} "VANTERA フィルムスキャナ QX-52 ${QX_VERSION} セットアップ"
LangString UNINSTALL_CAPTION ${LANG_ENGLISH} "VANTERA Film Scanner QX-52 ${QX_VERSION} Uninstall"
LangString UNINSTALL_CAPTION ${LANG_JAPANESE} "VANTERA フィルムスキャナ QX-52 ${QX_VERSION} アンインストール"

LangString WELCOME_TITLE ${LANG_ENGLISH} "Setting up the QX-52 film scanner software"
LangString WELCOME_TITLE ${LANG_JAPANESE} "QX-52 フィルムスキャナ ソフトウェアのセットアップ"
LangString WELCOME_TEXT ${LANG_ENGLISH} "This puts on your computer what the QX-52 film scanner needs:$\r$\n$\r$\n\
  - the scanner's TWAIN driver, which any TWAIN program (photo editors, KORVEL) uses to scan 35 mm film strips and APS cartridges;$\r$\n\
  - KORVEL, a small program that scans, shows and saves pictures, with its help.$\r$\n$\r$\n\
  Connect the scanner to the printer port and switch it on before you scan. Close any program that scans before you continue.$\r$\n$\r$\n\
  Click Next to continue."
LangString WELCOME_TEXT ${LANG_JAPANESE} "QX-52 フィルムスキャナに必要なソフトウェアをインストールします。$\r$\n$\r$\n\
  ・スキャナの TWAIN ドライバ：TWAIN 対応のソフトウェア（画像編集ソフト、KORVEL）から 35mm フィルムと APS カートリッジを読み取ります。$\r$\n\
  ・KORVEL：画像を読み取り、表示し、保存する小さなプログラムとそのヘルプ。$\r$\n$\r$\n\
  読み取りの前に、スキャナをプリンタポートにつないで電源を入れてください。続ける前に、スキャナを使っているプログラムを終了してください。$\r$\n$\r$\n\
  [次へ] をクリックして続けてください。"

LangString SEC_SOURCE_NAME ${LANG_ENGLISH} "Scanner driver (TWAIN)"
LangString SEC_SOURCE_NAME ${LANG_JAPANESE} "スキャナドライバ (TWAIN)"
LangString SEC_SOURCE_DESC ${LANG_ENGLISH} "The QX-52 TWAIN data source and its film type files, in the Windows TWAIN folder."
LangString SEC_SOURCE_DESC ${LANG_JAPANESE} "QX-52 の TWAIN データソースとフィルムタイプのファイル。Windows の TWAIN フォルダに入ります。"
LangString SEC_KORVEL_NAME ${LANG_ENGLISH} "KORVEL and help"
LangString SEC_KORVEL_NAME ${LANG_JAPANESE} "KORVEL とヘルプ"
LangString SEC_KORVEL_DESC ${LANG_ENGLISH} "The program that scans, shows and saves pictures as BMP files, with a Start menu entry."
LangString SEC_KORVEL_DESC ${LANG_JAPANESE} "画像を読み取り、表示し、BMP ファイルに保存するプログラム。スタートメニューに登録します。"
LangString SEC_VIRTUAL_NAME ${LANG_ENGLISH} "Virtual scanner"
LangString SEC_VIRTUAL_NAME ${LANG_JAPANESE} "仮想スキャナ"
LangString SEC_VIRTUAL_DESC ${LANG_ENGLISH} "A model of the scanner with sample film, used in place of the printer port. For trying the software without a scanner."
LangString SEC_VIRTUAL_DESC ${LANG_JAPANESE} "見本のフィルムが入ったスキャナのモデルを、プリンタポートの代わりに使います。スキャナなしでソフトウェアを試すためのものです。"

LangString PORT_TITLE ${LANG_ENGLISH} "Printer port driver"
LangString PORT_TITLE ${LANG_JAPANESE} "プリンタポート ドライバ"
LangString PORT_SUBTITLE ${LANG_ENGLISH} "How the scanner driver reaches the printer port."
LangString PORT_SUBTITLE ${LANG_JAPANESE} "スキャナドライバがプリンタポートを使う方法を選びます。"
LangString PORT_TEXT ${LANG_ENGLISH} "The scanner hangs on the printer port. On this version of Windows a program may not use the port directly: the scanner driver goes through a port driver, a DLL with the inpout32 interface (Inp32 and Out32), installed separately.$\r$\n$\r$\nName the port driver's file below, or pick it with Browse. A bare file name is looked for where Windows looks for DLLs."
LangString PORT_TEXT ${LANG_JAPANESE} "スキャナはプリンタポートにつながります。この Windows ではプログラムがポートを直接使えないため、スキャナドライバはポートドライバ（inpout32 と同じ Inp32・Out32 を持つ DLL。別途インストールします）を通して使います。$\r$\n$\r$\nポートドライバのファイル名を下に入力するか、[参照] で選んでください。ファイル名だけの場合は、Windows が DLL を探す場所から探します。"
LangString PORT_LABEL ${LANG_ENGLISH} "Port driver DLL:"
LangString PORT_LABEL ${LANG_JAPANESE} "ポートドライバ DLL："
LangString PORT_BROWSE ${LANG_ENGLISH} "Browse..."
LangString PORT_BROWSE ${LANG_JAPANESE} "参照..."
LangString PORT_FILTER ${LANG_ENGLISH} "Port driver (*.dll)"
LangString PORT_FILTER ${LANG_JAPANESE} "ポートドライバ (*.dll)"
LangString PORT_DEFAULT_NOTE ${LANG_ENGLISH} "If you do not know yet, keep inpout32.dll and put the driver in the Windows system folder later. The choice is the setting PORT_DRIVER in VANTERA.INI."
LangString PORT_DEFAULT_NOTE ${LANG_JAPANESE} "わからない場合は inpout32.dll のままにして、あとでドライバを Windows のシステムフォルダに入れてください。この選択は VANTERA.INI の PORT_DRIVER に記録されます。"
LangString PORT_VIRTUAL_NOTE ${LANG_ENGLISH} "The virtual scanner is selected: it takes the place of the port driver. To use a real scanner later, run this setup again without the virtual scanner."
LangString PORT_VIRTUAL_NOTE ${LANG_JAPANESE} "仮想スキャナが選ばれているため、ポートドライバの代わりに仮想スキャナを使います。実際のスキャナを使うときは、仮想スキャナを選ばずにもう一度セットアップしてください。"

LangString FINISH_RUN ${LANG_ENGLISH} "Start KORVEL"
LangString FINISH_RUN ${LANG_JAPANESE} "KORVEL を起動する"

; The help files KORVEL opens, in the language of the installation.
LangString HELP_ICONS_FILE ${LANG_ENGLISH} "icons.chm"
LangString HELP_ICONS_FILE ${LANG_JAPANESE} "icons_j.chm"
LangString HELP_TROUBLE_FILE ${LANG_ENGLISH} "trouble.chm"
LangString HELP_TROUBLE_FILE ${LANG_JAPANESE} "trouble_j.chm"

LangString UN_REMOVE_SETTINGS ${LANG_ENGLISH} "Also remove the scanner's settings (VANTERA.INI)?$\r$\n$\r$\nKeep them if you will install the software again. Your pictures and index files are kept either way."
LangString UN_REMOVE_SETTINGS ${LANG_JAPANESE} "スキャナの設定 (VANTERA.INI) も削除しますか？$\r$\n$\r$\nもう一度インストールする場合は残してください。画像とインデックスファイルはどちらの場合も残ります。"
