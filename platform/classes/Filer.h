// Component streaming: the binary form ("TPF0") written by TWriter and read by TReader, reference fix-ups,
// global roots found by name, and conversion between the binary and the text form.
#pragma once

#include "platform/classes/Component.h"
#include "platform/classes/Streams.h"
#include "platform/classes/TypInfo.h"
#include "platform/rtl/Exceptions.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TCollection;

// Bad text given to ObjectTextToBinary: "<what> on line <n>".
Z_EXCEPTION(EParserError, Exception)

// Tags in front of every value of the binary form.
enum TValueType : Byte {
  vaNull, vaList, vaInt8, vaInt16, vaInt32, vaExtended, vaString, vaIdent, vaFalse, vaTrue, vaBinary, vaSet,
  vaLString, vaNil, vaCollection, vaSingle, vaCurrency, vaDate, vaWString, vaInt64
};

// Flags of a component header, written as the prefix byte 0xF0 | flags when any is set.
enum TFilerFlag { ffInherited, ffChildPos, ffInline };
using TFilerFlags = TSet<TFilerFlag, ffInline>;

inline constexpr char FilerSignature[] = "TPF0";

using TReaderProc = std::function<void(TReader* Reader)>;
using TWriterProc = std::function<void(TWriter* Writer)>;
using TStreamProc = std::function<void(TStream* Stream)>;

// What readers and writers share: the stream, the root being streamed and the ancestor it is compared with.
// A filer does not own its stream; it lives for one streaming operation.
class TFiler : public TObject {
  Z_CLASS(TFiler, TObject)
public:
  TFiler(TStream* Stream, Integer BufSize);
  TFiler(const TFiler&) = delete;
  TFiler& operator=(const TFiler&) = delete;

  // A custom property of the object being streamed, named Name: the reader calls ReadData when the stream
  // holds it; the writer writes it through WriteData when HasData. Called from DefineProperties.
  virtual void DefineProperty(const std::string& Name, TReaderProc ReadData, TWriterProc WriteData, bool HasData) = 0;
  // The same for a block of bytes (vaBinary): the procedures read or write a stream of the bytes.
  virtual void DefineBinaryProperty(const std::string& Name, TStreamProc ReadData, TStreamProc WriteData,
                                    bool HasData) = 0;
  virtual void FlushBuffer() {}

  TComponent* Root() const { return FRoot; }
  virtual void SetRoot(TComponent* Value) { FRoot = Value; }
  TComponent* LookupRoot() const { return FLookupRoot; }
  // While writing: the object of the ancestor that the current object is compared with (null without one);
  // DefineProperties uses it to decide HasData.
  TPersistent* Ancestor() const { return FAncestor; }
  void SetAncestor(TPersistent* Value) { FAncestor = Value; }
  bool IgnoreChildren() const { return FIgnoreChildren; }
  void SetIgnoreChildren(bool Value) { FIgnoreChildren = Value; }
  TStream* Stream() const { return FStream; }
  // While DefineProperties runs: the object whose properties are being written or read (the root, or a
  // nested object such as a font), so that an override of DefineProperty can tell whose custom property it is.
  TPersistent* PropertiesInstance() const { return FPropertiesInstance; }

protected:
  // Runs Instance->DefineProperties(this) with Instance as PropertiesInstance(), the outer one restored after it
  // (also when it raises).
  void DefinePropertiesOf(TPersistent* Instance);

  TStream* FStream;
  TPersistent* FPropertiesInstance = nullptr;
  TComponent* FRoot = nullptr;
  TComponent* FLookupRoot = nullptr;
  TPersistent* FAncestor = nullptr;
  bool FIgnoreChildren = false;
};

using TReaderError = std::function<void(TReader* Reader, const std::string& Message, bool& Handled)>;
using TFindMethodEvent =
    std::function<void(TReader* Reader, const std::string& MethodName, const TMethodEntry*& Address, bool& Error)>;
using TSetNameEvent = std::function<void(TReader* Reader, TComponent* Component, std::string& Name)>;
using TReferenceNameEvent = std::function<void(TReader* Reader, std::string& Name)>;
using TAncestorNotFoundEvent = std::function<void(TReader* Reader, const std::string& ComponentName,
                                                  TComponentClass ComponentClass, TComponent*& Component)>;
using TFindComponentClassEvent =
    std::function<void(TReader* Reader, const std::string& ClassName, TComponentClass& ComponentClass)>;
using TCreateComponentEvent =
    std::function<void(TReader* Reader, TComponentClass ComponentClass, TComponent*& Component)>;
using TReadComponentsProc = std::function<void(TComponent* Component)>;

// Reads the binary form. Components read get csLoading and csReading; once the outermost read is done and
// references are fixed up, each gets Loaded() once, in the order read (unless a global loading bracket is
// open: then NotifyGlobalLoading does it). Errors raise EReadError; a handler of OnError may mark an error in
// a property handled, and the reader then skips that property's value and goes on.
class TReader : public TFiler {
  Z_CLASS(TReader, TFiler)
public:
  TReader(TStream* Stream, Integer BufSize = 4096);
  ~TReader() override;

  void DefineProperty(const std::string& Name, TReaderProc ReadData, TWriterProc WriteData, bool HasData) override;
  void DefineBinaryProperty(const std::string& Name, TStreamProc ReadData, TStreamProc WriteData,
                            bool HasData) override;

  // Reads a root component: into Root when given, else into a new instance of the stream's class found
  // in the class registry (freed again when reading fails).
  TComponent* ReadRootComponent(TComponent* Root);
  // Reads one component (header, properties, children): into Component when given, else into a new one
  // owned by Owner() (or an existing one of the owner's for an inherited entry).
  TComponent* ReadComponent(TComponent* Component);
  // Reads a list of components owned by AOwner, calling Proc for each (pasting from the clipboard).
  void ReadComponents(TComponent* AOwner, TComponent* AParent, TReadComponentsProc Proc);
  // The body of a component: properties until vaNull, then children until vaNull.
  void ReadData(TComponent* Instance);
  // One property ("Font.Name" paths included) of AInstance.
  void ReadProperty(TPersistent* AInstance);
  void ReadCollection(TCollection* Collection);  // after vaCollection: the items until vaNull

  void ReadSignature();  // EReadError "Invalid stream format" when the stream does not start with "TPF0"
  void ReadPrefix(TFilerFlags& Flags, Integer& AChildPos);
  TValueType ReadValue();
  TValueType NextValue();
  void CheckValue(TValueType Value);  // reads the tag; "Invalid property value" when it differs
  bool EndOfList();
  void ReadListBegin();
  void ReadListEnd();
  Integer ReadInteger();
  Int64 ReadInt64();
  bool ReadBoolean();
  char ReadChar();
  Extended ReadFloat();  // any float tag, or an integer
  float ReadSingle();
  Currency ReadCurrency();
  TDateTime ReadDate();
  std::string ReadString();  // vaString, vaLString, vaWString (converted to the code page)
  std::string ReadStr();     // a length byte and that many bytes, no tag
  std::string ReadIdent();   // vaIdent, and False/True/nil/Null for their tags
  Int64 ReadSet(PTypeInfo SetType);
  Variant ReadVariant();
  void Read(void* Buf, LongInt Count);
  void SkipValue();

  TComponent* Owner() const { return FOwner; }
  void SetOwner(TComponent* Value) { FOwner = Value; }
  TComponent* Parent() const { return FParent; }
  void SetParent(TComponent* Value) { FParent = Value; }

  struct TFixup;  // a reference by name waiting for its component (internal)

  TReaderError OnError;
  TFindMethodEvent OnFindMethod;
  TSetNameEvent OnSetName;
  TReferenceNameEvent OnReferenceName;
  TAncestorNotFoundEvent OnAncestorNotFound;
  TFindComponentClassEvent OnFindComponentClass;
  TCreateComponentEvent OnCreateComponent;

protected:
  // Offers the message to OnError; true when it was handled.
  virtual bool Error(const std::string& Message);
  virtual const TMethodEntry* FindMethod(TComponent* ARoot, const std::string& MethodName);
  virtual void SetName(TComponent* Component, std::string& Name);
  virtual void ReferenceName(std::string& Name);
  virtual TComponentClass FindComponentClass(const std::string& ClassName);
  // A filter over published properties found in the stream: when it gives false the value is skipped and
  // the object keeps its own. Every property is read here.
  virtual bool AcceptProperty(TPersistent* Instance, PPropInfo PropInfo);
  [[noreturn]] void PropertyError(const std::string& Name);
  [[noreturn]] void PropValueError();

private:
  friend void NotifyGlobalLoading();
  friend void GlobalFixupReferences();
  friend void RemoveFixupReferences(TComponent* Root, const std::string& RootName);
  static void DoLoaded(TComponent* Component) { Component->Loaded(); }
  static void MarkFixups(TComponent* Root, bool Pending);
  void ReadPropValue(TPersistent* Instance, PPropInfo PropInfo);
  void ReadPropPath(TPersistent* Instance, const std::string& Path);
  TComponent* CreateChild(const std::string& ClassName, const std::string& Name, TFilerFlags Flags);
  void DoFixupReferences();
  void CallLoaded();
  void Expect(Integer Count);

  TComponent* FOwner = nullptr;
  TComponent* FParent = nullptr;
  std::string FPropName;
  bool FCanHandleExcepts = false;
  bool FTopLevel = false;
  std::vector<TComponent*> FLoaded;
  std::vector<std::unique_ptr<TFixup>> FFixups;
};

// Writes the binary form. Values equal to the default (or to the ancestor's, when writing a descendant)
// and properties whose stored rule is false are left out.
class TWriter : public TFiler {
  Z_CLASS(TWriter, TFiler)
public:
  TWriter(TStream* Stream, Integer BufSize = 4096);

  void DefineProperty(const std::string& Name, TReaderProc ReadData, TWriterProc WriteData, bool HasData) override;
  void DefineBinaryProperty(const std::string& Name, TStreamProc ReadData, TStreamProc WriteData,
                            bool HasData) override;

  void WriteRootComponent(TComponent* Root);  // WriteDescendent(Root, null)
  // The signature, then Root compared with Ancestor (null for none): children found in the ancestor by
  // name are written as inherited entries with only what differs.
  void WriteDescendent(TComponent* Root, TComponent* AAncestor);
  void WriteComponent(TComponent* Component);
  void WriteProperties(TPersistent* Instance);
  void WriteCollection(TCollection* Value);  // vaCollection, the items as lists, vaNull
  void WriteSignature();
  void WriteListBegin();
  void WriteListEnd();
  void WriteInteger(Int64 Value);  // the smallest of vaInt8, vaInt16, vaInt32, vaInt64
  void WriteBoolean(bool Value);
  void WriteChar(char Value);
  void WriteFloat(Extended Value);  // vaExtended, 10 bytes
  void WriteSingle(float Value);
  void WriteCurrency(Currency Value);
  void WriteDate(TDateTime Value);
  void WriteString(const std::string& Value);  // vaString up to 255 bytes, else vaLString
  void WriteStr(const std::string& Value);     // a length byte and at most 255 bytes, no tag
  void WriteIdent(const std::string& Ident);   // False/True/nil/Null as their tags
  void WriteVariant(const Variant& Value);     // Unassigned as vaNil, Null as vaNull
  void WriteValue(TValueType Value);
  void Write(const void* Buf, LongInt Count);
  Int64 Position() { return FStream->Position(); }

  TComponent* RootAncestor() const { return FRootAncestor; }

protected:
  virtual void WriteData(TComponent* Instance);
  void WritePrefix(TFilerFlags Flags, Integer AChildPos);
  void WritePropName(const std::string& PropName);
  // Writes one published property unless it holds its default; descendants may leave properties out.
  virtual void WriteProperty(TPersistent* Instance, PPropInfo PropInfo);
  friend class TComponent;

private:
  bool IsDefaultValue(TPersistent* Instance, PPropInfo PropInfo);
  void WriteObjectProp(TPersistent* Instance, PPropInfo PropInfo);
  std::string ComponentReference(TComponent* Component) const;
  std::string CollectionBytes(TCollection* Collection) const;

  TComponent* FRootAncestor = nullptr;
  std::string FPropPath;
  std::vector<TComponent*> FAncestorChildren;
  bool FHasAncestorChildren = false;
};

// Roots that references in streams may name ("OtherForm.Button1"): roots add themselves (and are dropped
// automatically when freed), or a finder procedure is installed (the screen's list of forms). Finders are
// asked after the registered roots, the latest installed first.
using TFindGlobalComponent = TComponent* (*)(const std::string& Name);
void RegisterGlobalComponent(TComponent* Component);
void UnregisterGlobalComponent(TComponent* Component);
void RegisterFindGlobalComponentProc(TFindGlobalComponent AFindGlobalComponent);
void UnregisterFindGlobalComponentProc(TFindGlobalComponent AFindGlobalComponent);
TComponent* FindGlobalComponent(const std::string& Name);  // ASCII case ignored; null when none
// One replaceable front procedure, as the class library's single lookup variable: when set, its answer is
// FindGlobalComponent's (null included); it may forward to FindGlobalComponentDefault, the registered roots
// and finders. Setting returns the procedure it replaces (null: none).
TFindGlobalComponent SetFindGlobalComponentFront(TFindGlobalComponent Proc);
TFindGlobalComponent FindGlobalComponentFront();
TComponent* FindGlobalComponentDefault(const std::string& Name);
// True when a lookup beyond the registered roots is installed: a front procedure or a finder.
bool IsFindGlobalComponentSet();
// Resolves references still pending to roots loaded later. RemoveFixupReferences drops those made while
// reading Root (a root going away calls it); with RootName, only those naming that root.
void GlobalFixupReferences();
void RemoveFixupReferences(TComponent* Root, const std::string& RootName);
// A global loading bracket: components read inside it get Loaded() from NotifyGlobalLoading, after all of
// them are read, instead of at the end of each read. Brackets nest per thread.
void BeginGlobalLoading();
void NotifyGlobalLoading();
void EndGlobalLoading();

// The text form: "object Name: TClass" ... "end" with two-space indentation, CR LF line ends.
// Conversion both ways keeps every byte. ObjectTextToBinary raises EParserError on bad text.
void ObjectBinaryToText(TStream* Input, TStream* Output);
void ObjectTextToBinary(TStream* Input, TStream* Output);
// The same for streams wrapped in a resource header (0xFF, type 10, the name, flags, size).
void ObjectResourceToText(TStream* Input, TStream* Output);
void ObjectTextToResource(TStream* Input, TStream* Output);

// The 80-bit extended format of vaExtended: conversion from and to double (exact one way, rounded to
// nearest the other; infinities and NaN kept).
void DoubleToExtended80(double Value, Byte Out[10]);
double Extended80ToDouble(const Byte In[10]);
