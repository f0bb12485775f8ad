{ Compiles the help pages of KEST.exe into its compiled HTML help file, whose context map names
  each page by its name inside the file (the help compiler of the same library names them by
  their path on the building machine, which no help viewer finds).

  kesthelp <page folder> <page list> <help file>

  The page list holds the help's title on its first line, its default topic on the second, then
  one page a line: its name under the page folder, a tab and its help context (0: none). }
program kesthelp;

{$mode objfpc}{$H+}

uses
  Classes, SysUtils, chmwriter;

type
  TPageFolder = class
    Folder: String;
    function GetPage(const DataName: String; out PathInChm: String; out FileName: String;
      var Stream: TStream): Boolean;
  end;

function TPageFolder.GetPage(const DataName: String; out PathInChm: String; out FileName: String;
  var Stream: TStream): Boolean;
begin
  TMemoryStream(Stream).LoadFromFile(Folder + DataName);
  FileName := ExtractFileName(DataName);
  PathInChm := '/' + ExtractFilePath(DataName);
  Result := False; // go on with the next page
end;

var
  Pages: TPageFolder;
  List: TStringList;
  Output: TFileStream;
  Writer: TChmWriter;
  I, Tab: Integer;
  Name: String;
  Context: LongWord;
begin
  if ParamCount <> 3 then
  begin
    WriteLn(StdErr, 'usage: kesthelp <page folder> <page list> <help file>');
    Halt(2);
  end;
  Pages := TPageFolder.Create;
  Pages.Folder := IncludeTrailingPathDelimiter(ParamStr(1));
  List := TStringList.Create;
  List.LoadFromFile(ParamStr(2));
  if List.Count < 3 then
  begin
    WriteLn(StdErr, 'kesthelp: the page list names no page');
    Halt(1);
  end;
  Output := TFileStream.Create(ParamStr(3), fmCreate);
  Writer := TChmWriter.Create(Output, False);
  Writer.OnGetFileData := @Pages.GetPage;
  Writer.Title := List[0];
  Writer.DefaultPage := List[1];
  Writer.LocaleID := $409;
  Writer.FullTextSearch := False;
  Writer.HasBinaryTOC := False;
  Writer.HasBinaryIndex := False;
  for I := 2 to List.Count - 1 do
  begin
    Tab := Pos(#9, List[I]);
    if Tab = 0 then
      Continue;
    Name := Copy(List[I], 1, Tab - 1);
    Context := StrToDWord(Copy(List[I], Tab + 1, MaxInt));
    if not FileExists(Pages.Folder + Name) then
    begin
      WriteLn(StdErr, 'kesthelp: no page ', Pages.Folder + Name);
      Halt(1);
    end;
    Writer.FilesToCompress.Add(Name);
    if Context <> 0 then
      Writer.AddContext(Context, Name);
  end;
  Writer.Execute;
  Writer.Free;
  Output.Free;
  List.Free;
  Pages.Free;
end.
