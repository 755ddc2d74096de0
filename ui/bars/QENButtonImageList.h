// CQENButtonImageList: one horizontal strip of button images of equal size, image i at x = i * width.
// A strip comes from bitmap resources (several toolbars appended into one shared strip, each resource
// once) or from a bitmap file (the user images, which can be changed and saved back). The classic
// button colours of a bitmap are shown in the current system colours.
//
// A strip is always a DIB section: a palette bitmap as it was loaded (the loader maps its palette) or
// 24 bits per pixel (any other bitmap is converted, and its pixels are mapped). Load and save failures
// return FALSE and leave the strip as it was.
//
// Images are drawn in passes: BeginStripDraw, any number of Draw calls, EndStripDraw. All strips share
// two memory device contexts, so only one pass runs at a time.
#pragma once
#include <afxwin.h>
#include <afxtempl.h>

#include <vector>

// What a drawing pass selected and made, given back by EndStripDraw.
struct QENStripDrawState
{
    HGDIOBJ hOldStrip = NULL;
    HGDIOBJ hOldMask = NULL;
    HBITMAP hMask = NULL;
};

class CQENButtonImageList : public CObject
{
public:
    CQENButtonImageList();
    ~CQENButtonImageList() override;
    CQENButtonImageList(const CQENButtonImageList&) = delete;
    CQENButtonImageList& operator=(const CQENButtonImageList&) = delete;

    CSize ImageSize() const { return m_sizeImage; }
    void SetImageSize(CSize sizeImage);
    int ImageCount() const { return m_nCount; }
    BOOL IsReadOnly() const { return m_bReadOnly; }
    BOOL IsModified() const { return m_bModified; }
    BOOL IsFromFile() const { return m_bFromFile; }
    BOOL IsFileReadOnly() const { return m_bFileReadOnly; }
    // The full path of the file the strip was loaded from.
    const CString& FileName() const { return m_strFileName; }
    // Pixels of this colour are left out when drawing; CLR_NONE: none (the face colour of stretched
    // images still is).
    void SetTransparentColour(COLORREF crTransparent) { m_crTransparent = crTransparent; }
    COLORREF TransparentColour() const { return m_crTransparent; }

    // hInstance NULL: the resource module. Appending a resource that is already in the strip does
    // nothing; replacing clears the strip first.
    BOOL Load(UINT nResourceId, HINSTANCE hInstance = NULL, BOOL bAppend = FALSE);
    // A name without a path separator is taken from the program's folder; a relative path from the
    // current folder, and remembered in full.
    BOOL LoadFromFile(LPCTSTR lpszFileName);
    // Only a strip from a file that is not read-only; NULL: its own file, which is written only when
    // the strip has changes. The file is replaced only once the whole bitmap is written beside it.
    BOOL Save(LPCTSTR lpszFileName = NULL);

    // Appends the bitmap's images to the right; -1 when the bitmap's height is not the strip's.
    int AddImage(HBITMAP hBitmap);
    // Appends nCount images of the face colour (place holders that keep indices in line with
    // another strip); the index of the first or -1.
    int AddBlankImages(int nCount);
    // Puts a bitmap of the image size in place of image nImage of a strip from a file.
    BOOL UpdateImage(int nImage, HBITMAP hBitmap);
    void Clear();
    // After a change of the system colours: resources are loaded again, each at the index it had
    // (blank images in between are made anew), a file strip takes the new colours in place of the
    // old ones (changes made since loading are kept).
    BOOL Reload();
    // The target shows this strip, read-only; it must be copied again after this strip changes.
    void CopyTo(CQENButtonImageList& target);

    // cx or cy below 1: the image size. Throws CResourceException when the shared device contexts
    // cannot be made.
    BOOL BeginStripDraw(QENStripDrawState& state, int cx = 0, int cy = 0);
    // Highlighted: the background pixels of the image are dithered, around an image the caller drew
    // there before. Disabled: the image's shape in the shadow colour (embossed when the visual manager
    // asks for it). Indeterminate: the image, its shape in the shadow colour, and dithering. Shadow:
    // the image's shape darkens what is beneath it.
    BOOL Draw(CDC* pDC, int x, int y, int nImage, BOOL bHighlighted = FALSE, BOOL bDisabled = FALSE,
              BOOL bIndeterminate = FALSE, BOOL bShadow = FALSE);
    void EndStripDraw(QENStripDrawState& state);

    // crSource CLR_NONE: every pixel of a classic button colour (black, dark grey, light grey, white)
    // takes the current system colour for it; else pixels of crSource become crTarget. With
    // bRGBQuadOrder FALSE the colours are given as they lie in a pixel (blue in the low byte).
    BOOL MapToSystemColours(BOOL bRGBQuadOrder, COLORREF crSource = CLR_NONE, COLORREF crTarget = CLR_NONE);

    // The image on the face colour, as a bitmap on the clipboard, owned by the main window.
    BOOL PutImageOnClipboard(int nImage);

    // The index of the first image of a resource in the strip, -1 when it is not there.
    int ResourceImageOffset(UINT nResourceId) const;

    // Releases the device contexts all strips share (the library's clean-up at exit).
    static void PASCAL ReleaseSharedContexts();

private:
    // The classic colours, in the order of m_crMappedTo.
    static const int kClassicColours = 5;

    static BOOL PASCAL MapLoadedColours(HBITMAP& hBitmap, COLORREF (&crMappedTo)[kClassicColours]);
    // The bitmap as loaded and mapped, NULL when either fails.
    static HBITMAP PASCAL LoadMappedBitmap(HINSTANCE hInstance, LPCTSTR lpszName, UINT nFlags,
                                           COLORREF (&crMappedTo)[kClassicColours]);
    void SetStrip(HBITMAP hStrip);
    void DeleteStrip();
    int AppendBitmap(HBITMAP hBitmap);
    BOOL PackStrip(std::vector<BYTE>& file) const;
    static BOOL PASCAL ReplaceFile(const CString& strTarget, const std::vector<BYTE>& contents);
    COLORREF BackgroundColour() const;
    void BuildMask(int nImage, BOOL bHighlightIsBackground);
    void DrawMask(CDC* pTarget, int x, int y, HGDIOBJ hBrush, DWORD dwRop);
    void TransferComposed(CDC* pDC, int x, int y);
    static void PASCAL EnsureSharedContexts();
    static void PASCAL CurrentMappedColours(COLORREF (&crColours)[kClassicColours]);

    CSize m_sizeImage;
    CSize m_sizeDraw;
    HBITMAP m_hbmStrip;
    HINSTANCE m_hInstance;
    BOOL m_bFromFile;
    CString m_strFileName;
    BOOL m_bModified;
    int m_nCount;
    CList<UINT, UINT> m_ResourceIds;
    CMap<UINT, UINT, int, int> m_resourceOffsetMap;
    BOOL m_bReadOnly;
    CDC m_dcMem;
    CBitmap m_bmpMem;
    HGDIOBJ m_hbmOld;
    COLORREF m_crTransparent;
    BOOL m_bFileReadOnly;
    BOOL m_bStretch;
    // The system colours the classic colours were shown in when the strip was loaded (CLR_NONE for a
    // classic colour left as it was): what saving maps back and a reload replaces.
    COLORREF m_crMappedTo[kClassicColours];

    static CDC s_dcStrip;   // holds the strip being drawn
    static CDC s_dcMask;    // a monochrome mask of one image, image size + 2
};
