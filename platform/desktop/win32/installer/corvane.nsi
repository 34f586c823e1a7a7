; The Corvane installer, made by make_installer.cmake: for the current user,
; without administrator rights, into %LOCALAPPDATA%\Programs\Corvane, a
; folder the saver can write (its settings and the captured desktop live
; beside it). /S installs silently with the defaults, as does the
; uninstaller's /S.
; A 64-bit installer for the 64-bit programs (it runs where they run).
Target amd64-unicode
!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "WinMessages.nsh"

!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Corvane"
!define DESKTOP_KEY "Control Panel\Desktop"
!define SHORTCUT "$SMPROGRAMS\Corvane Screen Saver Settings.lnk"
; Hands Corvane.scr to the Display control panel, as the system's own
; "Install" on a screen saver file does: it becomes the current screen
; saver again after the user chose another one.
!define CURRENT_SHORTCUT "$SMPROGRAMS\Make Corvane the Screen Saver.lnk"

Name "Corvane Screen Saver"
Caption "Corvane Screen Saver Setup"
UninstallCaption "Corvane Screen Saver Uninstall"
OutFile "${OUTFILE}"
RequestExecutionLevel user
ManifestDPIAware true
BrandingText "Corvane Screen Saver ${VERSION}"
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
InstallDir "$LOCALAPPDATA\Programs\Corvane"
InstallDirRegKey HKCU "${UNINST_KEY}" "InstallLocation"
SetCompressor /SOLID lzma
!ifdef SIGN_UNINSTALLER
    !uninstfinalize '${SIGN_UNINSTALLER}' = 0
!endif
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Corvane Screen Saver"
VIAddVersionKey "CompanyName" "Vantrel Software"
VIAddVersionKey "FileDescription" "Corvane Screen Saver Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright (C) Vantrel Software"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "Corvane and Tellwell" SecProgram
    SectionIn RO
    !include "${STAGE}/install_files.nsh"
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    CreateShortCut "${SHORTCUT}" "$INSTDIR\Corvane.scr" "/c" "$INSTDIR\Corvane.scr" 0
    CreateShortCut "${CURRENT_SHORTCUT}" "$SYSDIR\rundll32.exe" \
        "desk.cpl,InstallScreenSaver $INSTDIR\Corvane.scr" "$INSTDIR\Corvane.scr" 0
    ; Where "Apps & features" lists the programs of this user.
    WriteRegStr HKCU "${UNINST_KEY}" "DisplayName" "Corvane Screen Saver"
    WriteRegStr HKCU "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINST_KEY}" "Publisher" "Vantrel Software"
    WriteRegStr HKCU "${UNINST_KEY}" "URLInfoAbout" "http://www.vantrelsoftware.com"
    WriteRegStr HKCU "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\Corvane.scr,0"
    WriteRegStr HKCU "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINST_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKCU "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINST_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINST_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINST_KEY}" "EstimatedSize" $0
SectionEnd

; The user's screen saver: the values the system reads. The ones found are
; kept in the uninstall key, so that the uninstaller can put them back.
Section "Use as screen saver" SecCurrent
    ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${If} $0 != "$INSTDIR\Corvane.scr"
        DeleteRegValue HKCU "${UNINST_KEY}" "PreviousScreenSaver"
        DeleteRegValue HKCU "${UNINST_KEY}" "PreviousScreenSaveActive"
        ClearErrors
        ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
        ${IfNot} ${Errors}
            WriteRegStr HKCU "${UNINST_KEY}" "PreviousScreenSaver" $0
        ${EndIf}
        ClearErrors
        ReadRegStr $0 HKCU "${DESKTOP_KEY}" "ScreenSaveActive"
        ${IfNot} ${Errors}
            WriteRegStr HKCU "${UNINST_KEY}" "PreviousScreenSaveActive" $0
        ${EndIf}
    ${EndIf}
    WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$INSTDIR\Corvane.scr"
    WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
    WriteRegDWORD HKCU "${UNINST_KEY}" "MadeCurrentScreenSaver" 1
    SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:${DESKTOP_KEY}" /TIMEOUT=2000
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
    !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "The screen saver, its settings and pictures, and Tellwell."
    !insertmacro MUI_DESCRIPTION_TEXT ${SecCurrent} "Makes Corvane your current screen saver."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; A running program holds its file: the uninstaller could not remove it and
; would leave it behind for good, its entry gone. So the programs must have
; ended before anything is removed. A silent uninstall ends them; asked by
; hand, the user closes them (the settings dialog, Tellwell) and retries, or
; cancels with nothing removed. A silent uninstall whose programs cannot be
; ended removes nothing and fails (exit code 2).
!define IN_USE_TEXT "Corvane Screen Saver is running. Close it (the screen saver, its settings or Tellwell) and choose Retry, or Cancel to keep it installed."

; $0: the first program file that is in use (opening it for writing fails
; while it runs), or "".
Function un.ProgramInUse
    StrCpy $0 ""
    ${If} ${FileExists} "$INSTDIR\Corvane.scr"
        ClearErrors
        FileOpen $1 "$INSTDIR\Corvane.scr" a
        ${If} ${Errors}
            StrCpy $0 "Corvane.scr"
        ${Else}
            FileClose $1
        ${EndIf}
    ${EndIf}
    ${If} $0 == ""
    ${AndIf} ${FileExists} "$INSTDIR\Tellwell.exe"
        ClearErrors
        FileOpen $1 "$INSTDIR\Tellwell.exe" a
        ${If} ${Errors}
            StrCpy $0 "Tellwell.exe"
        ${Else}
            FileClose $1
        ${EndIf}
    ${EndIf}
FunctionEnd

Function un.onInit
    ${If} ${Silent}
        StrCpy $2 0
        ${Do}
            Call un.ProgramInUse
            ${If} $0 == ""
                ${ExitDo}
            ${EndIf}
            ${If} $2 >= 20
                SetErrorLevel 2
                Quit
            ${EndIf}
            nsExec::Exec 'taskkill /F /IM Corvane.scr'
            Pop $1
            nsExec::Exec 'taskkill /F /IM Tellwell.exe'
            Pop $1
            Sleep 250
            IntOp $2 $2 + 1
        ${Loop}
    ${Else}
        retry:
        Call un.ProgramInUse
        ${If} $0 != ""
            MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${IN_USE_TEXT}" IDRETRY retry
            SetErrorLevel 2
            Quit
        ${EndIf}
    ${EndIf}
FunctionEnd

Section "Uninstall"
    ; The screen saver goes back to what it was, unless the user chose
    ; another one meanwhile.
    ReadRegDWORD $0 HKCU "${UNINST_KEY}" "MadeCurrentScreenSaver"
    ReadRegStr $1 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${If} $0 == 1
    ${AndIf} $1 == "$INSTDIR\Corvane.scr"
        ClearErrors
        ReadRegStr $2 HKCU "${UNINST_KEY}" "PreviousScreenSaver"
        ${If} ${Errors}
            DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
        ${Else}
            WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" $2
        ${EndIf}
        ClearErrors
        ReadRegStr $2 HKCU "${UNINST_KEY}" "PreviousScreenSaveActive"
        ${If} ${Errors}
            DeleteRegValue HKCU "${DESKTOP_KEY}" "ScreenSaveActive"
        ${Else}
            WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" $2
        ${EndIf}
        SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:${DESKTOP_KEY}" /TIMEOUT=2000
    ${EndIf}
    ; The desktop picture that the saver wrote, then what was installed.
    Delete "$INSTDIR\vantrelsoftware\corvane\background.bmp"
    !include "${STAGE}/remove_files.nsh"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"
    Delete "${SHORTCUT}"
    Delete "${CURRENT_SHORTCUT}"
    DeleteRegKey HKCU "${UNINST_KEY}"
SectionEnd
