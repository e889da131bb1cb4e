; The setup program's own texts in English, German and Japanese; NSIS brings the pages' texts.
; Included after the languages are inserted.

LangString OptionsTitle ${LANG_ENGLISH} "Choose Options"
LangString OptionsTitle ${LANG_GERMAN} "Optionen wählen"
LangString OptionsTitle ${LANG_JAPANESE} "オプションの選択"

LangString OptionsSubtitle ${LANG_ENGLISH} "Choose what the setup adds to Windows besides the programs."
LangString OptionsSubtitle ${LANG_GERMAN} "Wählen Sie, was das Setup außer den Programmen zu Windows hinzufügt."
LangString OptionsSubtitle ${LANG_JAPANESE} "プログラムのほかに Windows に追加するものを選んでください。"

LangString OptionsTop ${LANG_ENGLISH} "Tick what you want, then click Install to start the installation."
LangString OptionsTop ${LANG_GERMAN} "Kreuzen Sie an, was Sie möchten, und klicken Sie dann auf Installieren."
LangString OptionsTop ${LANG_JAPANESE} "必要なものにチェックを付けて、「インストール」をクリックしてください。"

LangString OptionsList ${LANG_ENGLISH} "Options:"
LangString OptionsList ${LANG_GERMAN} "Optionen:"
LangString OptionsList ${LANG_JAPANESE} "オプション:"

LangString OptionStartMenu ${LANG_ENGLISH} "Start menu entry"
LangString OptionStartMenu ${LANG_GERMAN} "Eintrag im Startmenü"
LangString OptionStartMenu ${LANG_JAPANESE} "スタートメニューに登録"

LangString OptionDesktop ${LANG_ENGLISH} "Desktop shortcut"
LangString OptionDesktop ${LANG_GERMAN} "Verknüpfung auf dem Desktop"
LangString OptionDesktop ${LANG_JAPANESE} "デスクトップにショートカット"

LangString OptionOpenLogs ${LANG_ENGLISH} "Open flight logs (.KLD) with Trelvox"
LangString OptionOpenLogs ${LANG_GERMAN} "Flug-Logs (.KLD) mit Trelvox öffnen"
LangString OptionOpenLogs ${LANG_JAPANESE} "フライトログ(.KLD)を Trelvox で開く"

LangString OptionPath ${LANG_ENGLISH} "Add trelvox-cli.exe to the PATH"
LangString OptionPath ${LANG_GERMAN} "trelvox-cli.exe zum PATH hinzufügen"
LangString OptionPath ${LANG_JAPANESE} "trelvox-cli.exe を PATH に追加"

LangString StartTrelvox ${LANG_ENGLISH} "Start Trelvox"
LangString StartTrelvox ${LANG_GERMAN} "Trelvox starten"
LangString StartTrelvox ${LANG_JAPANESE} "Trelvox を起動"

; Explorer shows these in the language of the installation.
LangString FlightLogType ${LANG_ENGLISH} "Flight log"
LangString FlightLogType ${LANG_GERMAN} "Flug-Log"
LangString FlightLogType ${LANG_JAPANESE} "フライトログ"

LangString ConvertVerb ${LANG_ENGLISH} "Convert with Trelvox"
LangString ConvertVerb ${LANG_GERMAN} "Mit Trelvox umwandeln"
LangString ConvertVerb ${LANG_JAPANESE} "Trelvox で変換"

LangString ConvertFolderVerb ${LANG_ENGLISH} "Convert flight logs with Trelvox"
LangString ConvertFolderVerb ${LANG_GERMAN} "Flug-Logs mit Trelvox umwandeln"
LangString ConvertFolderVerb ${LANG_JAPANESE} "フライトログを Trelvox で変換"

LangString ModeTitle ${LANG_ENGLISH} "Choose Users"
LangString ModeTitle ${LANG_GERMAN} "Benutzer wählen"
LangString ModeTitle ${LANG_JAPANESE} "ユーザーの選択"

LangString ModeSubtitle ${LANG_ENGLISH} "Choose for whom to install Trelvox."
LangString ModeSubtitle ${LANG_GERMAN} "Wählen Sie, für wen Trelvox installiert wird."
LangString ModeSubtitle ${LANG_JAPANESE} "Trelvox を誰のためにインストールするか選んでください。"

LangString ModeCurrentUser ${LANG_ENGLISH} "Only for &me (no administrator rights needed)"
LangString ModeCurrentUser ${LANG_GERMAN} "Nur für &mich (ohne Administratorrechte)"
LangString ModeCurrentUser ${LANG_JAPANESE} "自分だけ(&M) (管理者権限は不要)"

LangString ModeAllUsers ${LANG_ENGLISH} "For &all users of this computer (into Program Files)"
LangString ModeAllUsers ${LANG_GERMAN} "Für &alle Benutzer dieses Computers (nach Programme)"
LangString ModeAllUsers ${LANG_JAPANESE} "このコンピューターのすべてのユーザー(&A) (Program Files へ)"

LangString NeedsAdministrator ${LANG_ENGLISH} "Installing for all users needs administrator rights."
LangString NeedsAdministrator ${LANG_GERMAN} "Die Installation für alle Benutzer braucht Administratorrechte."
LangString NeedsAdministrator ${LANG_JAPANESE} "すべてのユーザーへのインストールには管理者権限が必要です。"

LangString OlderOverNewer ${LANG_ENGLISH} "Trelvox $PreviousVersion is installed, newer than this setup's ${VERSION}. Replace it with the older version?"
LangString OlderOverNewer ${LANG_GERMAN} "Trelvox $PreviousVersion ist installiert, neuer als die ${VERSION} dieses Setups. Durch die ältere Version ersetzen?"
LangString OlderOverNewer ${LANG_JAPANESE} "このセットアップ (${VERSION}) より新しい Trelvox $PreviousVersion がインストールされています。古いバージョンで置き換えますか?"

LangString PathTooLong ${LANG_ENGLISH} "Your PATH is too long to change safely; it was left as it is."
LangString PathTooLong ${LANG_GERMAN} "Ihr PATH ist zu lang, um ihn sicher zu ändern; er bleibt, wie er ist."
LangString PathTooLong ${LANG_JAPANESE} "PATH が長すぎるため安全に変更できません。変更していません。"
