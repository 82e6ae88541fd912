// Declarations of the class library's classes, for headers that only name
// them (a pointer member, a parameter): including this instead of the class's
// own header keeps a header's reach short.
#pragma once

template <class T>
class TSet;

struct TPoint;
struct TRect;
struct TSize;
struct TMessage;
struct TCreateParams;
struct TSearchRec;

// Objects, components and streaming.
class TObject;
class TPersistent;
class TComponent;
class TCollection;
class TCollectionItem;
class TStrings;
class TStringList;
class TItemStrings;
class TStream;
class TFileStream;
class TMemoryStream;
class TTextFile;

// Exceptions.
class Exception;
class EAbort;
class EConvertError;
class EInOutError;
class EListError;
class EStreamError;

// Graphics.
class TGraphicsObject;
class TFont;
class TPen;
class TBrush;
class TCanvas;
class TControlCanvas;
class TBitmapCanvas;
class TGraphic;
class TBitmap;
class TIcon;
class TPicture;
class TImageList;

// Controls, forms and the application.
class TControl;
class TWinControl;
class TGraphicControl;
class TCustomControl;
class TCustomForm;
class TForm;
class TScreen;
class TApplication;
class TTimer;
class TMenuItem;
class TPopupMenu;
class TLabel;
class TStaticText;
class TButton;
class TEdit;
class TComboBox;
class TListBox;
class TRadioButton;
class TGroupBox;
class TPanel;
class TBevel;
class TPaintBox;
class TTrackBar;
class TPageControl;
class TTabSheet;
class TListView;
class TListItem;
class TListItems;
class TListColumn;
class TListColumns;
