unit Sample;
{$MODE DELPHI}
interface
uses SysUtils;
type
  TCounter = class(TObject)
  private
    FCount: Integer; // the count
  public
    procedure Add(const S: string); virtual;
  end;
implementation
(* a comment
   over two lines *)
procedure TCounter.Add(const S: string);
begin
  { brace comment }
  FCount := FCount + Length(S) + $FF + 1.5e3;
  WriteLn('It''s ', #13#10, 'done');
end;
end.
