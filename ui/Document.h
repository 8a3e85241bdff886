#pragma once
// CDocument: the document of the single-document template, with the
// framework's own document commands: a new document, opening a file into it
// and saving it. The program's document holds no data, so its file is empty.

#include <string>

#include "ui/WinDefs.h"

enum : UINT { ID_FILE_NEW = 57600, ID_FILE_OPEN = 57601, ID_FILE_SAVE = 57603, ID_FILE_SAVE_AS = 57604 };

class CDocument {
 public:
  CDocument();
  virtual ~CDocument() = default;
  CDocument(const CDocument&) = delete;
  CDocument& operator=(const CDocument&) = delete;

  // Empties the document: no file, the default title.
  virtual BOOL OnNewDocument();
  // Reads the file into the document; FALSE (after saying so) when it cannot
  // be read.
  virtual BOOL OnOpenDocument(const std::string& pathName);
  // Writes the document to the file; FALSE (after saying so) when it cannot
  // be written.
  virtual BOOL OnSaveDocument(const std::string& pathName);
  // What the document writes into its file and reads back from it.
  virtual std::string Contents() const { return {}; }
  virtual void DeleteContents() {}

  const std::string& GetPathName() const { return m_strPathName; }
  // The file of the document; its name becomes the title.
  void SetPathName(const std::string& pathName);
  const std::string& GetTitle() const { return m_strTitle; }

  // The document's commands (Save, Save As): TRUE when it handled the id.
  BOOL OnCmdMsg(UINT id);
  static bool HasCommandHandler(UINT id) { return id == ID_FILE_SAVE || id == ID_FILE_SAVE_AS; }
  void OnFileSave();
  void OnFileSaveAs();

 protected:
  // Saves to pathName, or asks for a file first when it is empty.
  BOOL DoSave(const std::string& pathName);

 private:
  std::string m_strPathName;
  std::string m_strTitle;
};
