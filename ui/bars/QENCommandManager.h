// CQENCommandManager: which image belongs to each command, in the standard strip and in the user strip,
// and which commands menus show without their image. One instance serves the whole application.
#pragma once
#include <afx.h>
#include <afxtempl.h>

class CQENCommandManager
{
public:
    // The application's command manager, made on first use.
    static CQENCommandManager& PASCAL Instance();

    CQENCommandManager();
    CQENCommandManager(const CQENCommandManager&) = delete;
    CQENCommandManager& operator=(const CQENCommandManager&) = delete;

    // The image of the command in the user or the standard strip, -1 when it has none.
    int ImageOfCommand(UINT nCommandId, BOOL bUserImage = FALSE) const;
    // A command keeps one kind of image: a user image is not recorded for a command with a standard
    // image, nor a standard image for one with a user image. Command ids 0 and -1 and negative
    // images are ignored.
    void BindCommandImage(UINT nCommandId, int iImage, BOOL bUserImage = FALSE);
    // Forgets the command's user image.
    void UnbindCommandImage(UINT nCommandId);

    void SetMenuImageShown(UINT nCommandId, BOOL bShown);
    BOOL HasNoMenuImage(UINT nCommandId) const;

    // The commands shown without image, under the key "%sQENCommandManager" of the settings path of
    // lpszProfile (the section "QENToolBars" when it is empty). A failed read keeps the list as it was.
    BOOL WriteState(LPCTSTR lpszProfile);
    BOOL ReadState(LPCTSTR lpszProfile);

private:
    CMap<UINT, UINT, int, int> m_standardImages;
    CMap<UINT, UINT, int, int> m_userImages;
    CList<UINT, UINT> m_lstCommandsWithoutImages;
};
