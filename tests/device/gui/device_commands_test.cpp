// The device link in the running main window: PC->Device and Clear through the
// frame's commands to the simulator, the commands' enable rules, COM
// Configuration, the progress dialog and the password dialog.
#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>
#include <map>

#include "app/gui/shell_fixture.h"
#include "app/information_bar.h"
#include "blocks/analog_blocks.h"
#include "blocks/block_factory.h"
#include "controls/gui/embossed_static.h"
#include "device/download_prep.h"
#include "device/gui/com_config_dlg.h"
#include "device/gui/device_controller.h"
#include "device/gui/password_dlg.h"
#include "device/gui/transfer_progress_dlg.h"
#include "editor/diagram_editor.h"
#include "editor/gui/child_frame.h"
#include "editor/gui/zarad_view.h"
#include "image/download_image.h"
#include "model/shell_context.h"
#include "model/zarad_doc.h"
#include "platform/resource_ids.h"
#include "properties/gui/qt_program_sheet.h"
#include "support/device_simulator.h"
#include "support/diagram_builder.h"

namespace {

// Types into a widget as the keyboard does.
void TypeText(QWidget* widget, const QString& text) {
  for (QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QCoreApplication::sendEvent(widget, &press);
  }
}

void PressKey(QWidget* widget, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &press);
}

// I1 -> AND -> Q1 in the document, wired as the view wires them.
void DrawSmallDiagram(CZaradDoc* doc) {
  CBlockObj* input = doc->AddBlock(MakeBlockOfType(600));
  CBlockObj* gate = doc->AddBlock(MakeBlockOfType(300));
  CBlockObj* output = doc->AddBlock(MakeBlockOfType(605));
  CDiagramBuilder::Wire(input, gate, 0);
  CDiagramBuilder::Wire(gate, output, 0);
}

class DeviceCommandsTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    m_app->SetDocumentFactory([](CShell& shell) { return new CChildFrame(&shell); });
    m_device = m_frame->GetDeviceController();
    ASSERT_NE(m_device, nullptr);
    m_device->Link().SetTimeScale(0.1);
    // The real compiler; the test keeps what it produced to compare with the device.
    m_device->SetCompiler([this](CZaradDoc& doc, TransferImage* image) {
      const bool ok = CompileForDownload(doc, image);
      m_compiled = *image;
      return ok;
    });
    m_device->SetPortChooser([this](const std::string&) {
      ++m_choices;
      return m_sim.PortPath();
    });
  }

  bool Enabled(UINT id) {
    m_frame->UpdateCommandUI();
    return m_frame->GetAction(id)->isEnabled();
  }

  // Runs the event loop until the link has finished the posted operation.
  void RunPosted() {
    QElapsedTimer timer;
    timer.start();
    QCoreApplication::processEvents();
    while (m_device->Link().IsBusy() && timer.elapsed() < 20000) QCoreApplication::processEvents();
    QCoreApplication::processEvents();
  }

  DeviceSimulator m_sim;
  CDeviceController* m_device = nullptr;
  int m_choices = 0;
  TransferImage m_compiled;
};

}  // namespace

TEST_F(DeviceCommandsTest, EnableRulesFollowTheActiveDiagram) {
  EXPECT_FALSE(Enabled(ID_PC_TO_DEVICE));
  EXPECT_TRUE(Enabled(ID_CLEAR_PROGRAM));
  EXPECT_TRUE(Enabled(ID_COM_CONFIGURATION));
  ASSERT_TRUE(m_frame->SendCommand(ID_FILE_NEW));
  EXPECT_TRUE(Enabled(ID_PC_TO_DEVICE));
  m_frame->GetActiveDocument()->m_bLocked = 1;
  EXPECT_FALSE(Enabled(ID_PC_TO_DEVICE));
}

TEST_F(DeviceCommandsTest, CtrlDDownloadsTheActiveDiagramToTheDevice) {
  ASSERT_TRUE(m_frame->SendCommand(ID_FILE_NEW));
  CZaradDoc* doc = m_frame->GetActiveDocument();
  ASSERT_NE(doc, nullptr);
  DrawSmallDiagram(doc);
  m_sim.SetIdentity(static_cast<BYTE>(doc->m_wModelCode >> 8), 0x88, 0xC100);
  // Ctrl+D: the frame's accelerator of PC->Device.
  QAction* accelerator = m_frame->findChild<QAction*>(QString("acc%1").arg(ID_PC_TO_DEVICE));
  ASSERT_NE(accelerator, nullptr);
  ASSERT_EQ(accelerator->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_D));
  accelerator->trigger();
  // The command only posts the operation; the link runs it from the event loop.
  EXPECT_TRUE(m_sim.Requests().empty());
  RunPosted();
  EXPECT_EQ(m_choices, 1);  // no port chosen yet: COM Configuration ran first
  EXPECT_EQ(m_sim.LastEndSuccess(), 1);
  ASSERT_EQ(m_compiled.table.size(), static_cast<size_t>(kTableImageBytes));
  ASSERT_FALSE(m_compiled.program.empty());
  EXPECT_EQ(m_sim.Registers(kRegTableImage, kTableImageBytes / 2), m_compiled.table);
  EXPECT_EQ(m_sim.Registers(kRegProgramArea, static_cast<int>(m_compiled.program.size() / 2)),
            m_compiled.program);
  EXPECT_EQ(m_sim.MessageTexts(static_cast<int>(m_compiled.texts.size())), m_compiled.texts);
  EXPECT_TRUE(m_sink.messages().empty());
  CTransferProgressDlg* progress = m_device->ProgressDialog();
  ASSERT_NE(progress, nullptr);
  EXPECT_FALSE(progress->isVisible());
  EXPECT_EQ(progress->ProgressBar()->value(), 100);
  EXPECT_EQ(progress->windowTitle(), "PC->Device");
  EXPECT_TRUE(Enabled(ID_PC_TO_DEVICE));
  // The port stays chosen for the next operation.
  m_frame->SendCommand(ID_PC_TO_DEVICE);
  RunPosted();
  EXPECT_EQ(m_choices, 1);
  EXPECT_EQ(m_sim.StartCount(), 2);
}

TEST_F(DeviceCommandsTest, MainWindowStaysWhileATransferRuns) {
  ASSERT_TRUE(m_frame->SendCommand(ID_FILE_NEW));
  DrawSmallDiagram(m_frame->GetActiveDocument());
  bool closedDuringTransfer = true;
  m_device->SetCompiler([&](CZaradDoc& doc, TransferImage* image) {
    QCloseEvent close;
    QCoreApplication::sendEvent(m_frame, &close);
    closedDuringTransfer = close.isAccepted();
    return CompileForDownload(doc, image);
  });
  m_frame->SendCommand(ID_PC_TO_DEVICE);
  RunPosted();
  EXPECT_FALSE(closedDuringTransfer);
  EXPECT_EQ(DocCount(), 1);
  EXPECT_EQ(m_sim.LastEndSuccess(), 1);
}

TEST_F(DeviceCommandsTest, EmptyDiagramIsRefusedBeforeAnythingIsSent) {
  ASSERT_TRUE(m_frame->SendCommand(ID_FILE_NEW));
  m_frame->SendCommand(ID_PC_TO_DEVICE);
  RunPosted();
  EXPECT_EQ(m_choices, 0);
  EXPECT_TRUE(m_sim.Requests().empty());
  ASSERT_EQ(m_sink.messages().size(), 1u);
  EXPECT_EQ(m_sink.messages()[0].text, CString(u"There is not any Block(s) for DownLoading!"));
}

TEST_F(DeviceCommandsTest, LadderGoesAsItsConversionWhichClosesAfterwards) {
  g_ShowPropertiesOnNew = 0;
  ASSERT_TRUE(m_frame->SendCommand(ID_FILE_NEW));  // another diagram, opened first
  DocumentWindow* other = m_frame->GetActiveDocumentWindow();
  ASSERT_TRUE(m_frame->SendCommand(ID_FILE_NEW_LAD));
  DocumentWindow* ladder = m_frame->GetActiveDocumentWindow();
  ASSERT_NE(ladder, other);
  m_frame->GetActiveDocument()->AddBlock(MakeBlockOfType(703));
  // Convert to FBD: a new FBD window with the converted diagram becomes active.
  int conversions = 0;
  m_frame->SetCommandHandler(ID_CONVERT_TO_FBD, [&] {
    ++conversions;
    m_frame->SendCommand(ID_FILE_NEW);
    DrawSmallDiagram(m_frame->GetActiveDocument());
    m_frame->GetActiveDocumentWindow()->SetModifiedFlag(true);
  });
  m_frame->SendCommand(ID_PC_TO_DEVICE);
  RunPosted();
  EXPECT_EQ(conversions, 1);
  EXPECT_EQ(m_sim.LastEndSuccess(), 1);
  // The converted window is gone without a question; the ladder diagram stays
  // and is the active window again.
  EXPECT_EQ(DocCount(), 2);
  EXPECT_EQ(m_frame->GetActiveDocumentWindow(), ladder);
  EXPECT_TRUE(m_frame->GetActiveDocument()->IsLadder());
  EXPECT_TRUE(m_sink.messages().empty());
}

// The four blocks of the ladder below, with settings away from their defaults.
void SetFourBlocks(CBlockObj* comparator, CBlockObj* amplifier, CBlockObj* counter, CBlockObj* delay) {
  for (CBlockObj* b : {comparator, amplifier}) {
    auto* a = dynamic_cast<CBlockAnalog*>(b);
    ASSERT_NE(a, nullptr);
    a->m_dGain = 2.5;
    a->m_nOffset = -500;
    a->m_nPoint = 2;
  }
  auto* c = dynamic_cast<CBlockAnalog*>(comparator);
  c->m_nThreshold1 = 300;    // on
  c->m_nThreshold2 = 120;    // off
  counter->m_nParam10 = 40;  // on preset
  counter->m_nParam15 = 15;  // off preset
  delay->m_nParam10 = 12;    // 12:34 s
  delay->m_nParam9 = 34;
  delay->m_nParam11 = 2;
}

// PC->Device on a ladder: the comparator, amplifier, counter and on-delay reach
// the device's memory with their parameters, as the same blocks drawn in an FBD
// compile them (the conversion loses no field of their records).
TEST_F(DeviceCommandsTest, LadderDownloadCarriesTheBlocksParameters) {
  ASSERT_TRUE(m_frame->SendCommand(ID_FILE_NEW_LAD));
  auto* child = dynamic_cast<CChildFrame*>(m_frame->GetActiveDocumentWindow());
  ASSERT_NE(child, nullptr);
  CZaradDoc* ladder = child->GetDocument();
  ASSERT_TRUE(ladder->IsLadder());
  if (ladder->m_powerBus.IsEmpty()) ladder->MakePowerBus();
  CBlockObj* bus = ladder->m_powerBus.GetHead();
  CDiagramEditor& core = child->GetActiveView()->Core();
  const auto add = [&](CZaradDoc* doc, int type, int x, int y) {
    CBlockObj* b = doc->AddBlock(MakeBlockOfType(type, BlockContext::For(doc)));
    b->m_ptPos = CPoint(x, y);
    b->m_nWidth = 25;
    b->m_nHeight = b->m_nInputs == 4 ? 40 : 36;
    return b;
  };
  const int types[] = {803, 805, 800, 400};
  CBlockObj* blocks[4];
  for (int k = 0; k < 4; ++k) blocks[k] = add(ladder, types[k], 400, 60 + 120 * k);
  SetFourBlocks(blocks[0], blocks[1], blocks[2], blocks[3]);
  // Inputs: analog contacts on AI1/AI2 into the comparator and amplifier, make
  // contacts on I1.. into the counter and the delay; each block's contact drives Q1...
  int digital = 0, analog = 0, row = 0;
  for (CBlockObj* b : blocks) {
    for (int pin = 0; pin < b->m_nInputs; ++pin) {
      if (b->m_nSource[pin] != LINK_OPEN) continue;
      const bool isAnalog = b->m_nPinType[pin] == PIN_ANALOG;
      CBlockObj* contact = add(ladder, isAnalog ? 702 : 700, 100, 40 + 40 * row++);
      contact->m_nOperand = isAnalog ? 4000 + analog++ % 2 : 100 + digital++;
      ASSERT_NE(core.ConnectBlockPins(bus, kFirstOutputPin, contact, 0, true), nullptr);
      ASSERT_NE(core.ConnectBlockPins(contact, kFirstOutputPin, b, pin, true), nullptr);
    }
  }
  for (int k = 0; k < 4; ++k) {
    CBlockObj* contact = add(ladder, 700, 550, 60 + 120 * k);
    contact->m_nOperand = blocks[k]->m_nNumber;
    CBlockObj* coil = add(ladder, 703, 700, 60 + 120 * k);
    coil->m_nOperand = 600 + k;
    ASSERT_NE(core.ConnectBlockPins(bus, kFirstOutputPin, contact, 0, true), nullptr);
    ASSERT_NE(core.ConnectBlockPins(contact, kFirstOutputPin, coil, 0, true), nullptr);
  }
  m_sim.SetIdentity(static_cast<BYTE>(ladder->m_wModelCode >> 8), 0x88, 0xC100);
  m_frame->SendCommand(ID_PC_TO_DEVICE);
  RunPosted();
  ASSERT_EQ(m_sim.LastEndSuccess(), 1);
  EXPECT_TRUE(m_sink.messages().empty());
  EXPECT_EQ(DocCount(), 1);  // the converted diagram closed again

  // The same blocks drawn in an FBD: I and AI inputs, outputs Q1..Q4.
  CDiagramBuilder fbd(kDocFbd, ladder->m_wModelCode);
  CBlockObj* direct[4];
  for (int k = 0; k < 4; ++k) direct[k] = fbd.Add(types[k]);
  SetFourBlocks(direct[0], direct[1], direct[2], direct[3]);
  std::map<int, CBlockObj*> sources;
  digital = analog = 0;
  for (CBlockObj* b : direct) {
    for (int pin = 0; pin < b->m_nInputs; ++pin) {
      if (b->m_nSource[pin] != LINK_OPEN) continue;
      const bool isAnalog = b->m_nPinType[pin] == PIN_ANALOG;
      const int number = isAnalog ? 4000 + analog++ % 2 : 100 + digital++;
      if (!sources.count(number)) sources[number] = fbd.Add(isAnalog ? kTypeAnalogInput : kTypeInput);
      ASSERT_EQ(sources[number]->m_nNumber, number);
      CDiagramBuilder::Wire(sources[number], b, pin);
    }
  }
  for (CBlockObj* b : direct) CDiagramBuilder::Wire(b, fbd.Add(kTypeOutput), 0);
  DownloadImage expected;
  ASSERT_TRUE(PrepareDownload(fbd.Doc(), &expected));
  const std::vector<BYTE> held = FromRegisterOrder(
      m_sim.Registers(kRegProgramArea, static_cast<int>(expected.image.program.size() / 2)));
  EXPECT_EQ(held, expected.image.program);
}

TEST_F(DeviceCommandsTest, SummerTimeReadsTheDeviceThenShowsItsDialog) {
  m_sim.SetSummerRecord({3, 0, 0, 0, 10, 26, 3, 30, 60, 0, 0, 0});
  std::vector<int> shown;
  m_device->SetDialogShower([&](int kind, DeviceSettings& settings) {
    shown.push_back(kind);
    EXPECT_EQ(settings.summer.ruleIndex, 1);
    EXPECT_EQ(settings.summer.startDay, 30);
  });
  EXPECT_TRUE(Enabled(ID_SUMMER_TIME));
  m_frame->GetAction(ID_SUMMER_TIME)->trigger();
  RunPosted();
  EXPECT_EQ(shown, std::vector<int>{kDialogSummerTime});
  // A WiFi set-up needs a device with WiFi: no dialog, the cable question instead.
  m_frame->GetAction(ID_WIFI_SETUP)->trigger();
  RunPosted();
  EXPECT_EQ(shown.size(), 1u);
  ASSERT_EQ(m_sink.messages().size(), 1u);
  EXPECT_EQ(m_sink.messages()[0].icon, MessageIcon::kQuestion);
}

TEST_F(DeviceCommandsTest, ClearFromTheTransferMenu) {
  m_sink.QueueAnswer(IDYES);
  m_frame->GetAction(ID_CLEAR_PROGRAM)->trigger();
  RunPosted();
  EXPECT_EQ(m_sim.LastEndSuccess(), 1);
  EXPECT_EQ(m_sim.Registers(kRegTableImage, 8), std::vector<BYTE>(16, 0xFF));
}

TEST_F(DeviceCommandsTest, FailedDownloadIsShownAsFailed) {
  ASSERT_TRUE(m_frame->SendCommand(ID_FILE_NEW));
  DrawSmallDiagram(m_frame->GetActiveDocument());
  m_sim.SetIdentity(0x21, 0x88, 0xB100);  // another series than the diagram's
  m_frame->SendCommand(ID_PC_TO_DEVICE);
  RunPosted();
  ASSERT_FALSE(m_sink.messages().empty());
  EXPECT_EQ(m_sink.messages().back().text, CString(u"Download PC->Device failed!"));
  EXPECT_FALSE(m_device->ProgressDialog() && m_device->ProgressDialog()->isVisible());
}

// ---- Device->PC ------------------------------------------------------------------------

namespace {

// I1 -> AND -> Q1 compiled for a model, held by the simulator as a downloaded program.
void HoldSmallProgram(DeviceSimulator& sim, WORD model, const std::string& password = "",
                      bool damaged = false) {
  CDiagramBuilder diagram(kDocFbd, model);
  diagram.AddInputGateOutput();
  TransferImage image;
  ASSERT_TRUE(CompileForDownload(diagram.Doc(), &image));
  std::vector<BYTE> area = image.table;
  area.insert(area.end(), image.program.begin(), image.program.end());
  // Garbage in place of the instruction records: no function code the device knows.
  if (damaged)
    std::fill(area.begin() + static_cast<std::ptrdiff_t>(image.table.size()), area.end(), BYTE{0xEE});
  sim.SetIdentity(static_cast<BYTE>(model >> 8), static_cast<BYTE>(model & 0xFF), 0xC100);
  sim.HoldProgram(area, image.texts, password);
}

}  // namespace

class UploadCommandTest : public DeviceCommandsTest {
 protected:
  void SetUp() override {
    DeviceCommandsTest::SetUp();
    // The properties sheet of a new document must not show for an uploaded one.
    CProgramPropertiesCommand::s_runner = [this](CQtProgramSheet&) {
      ++m_sheetsShown;
      return static_cast<int>(QDialog::Rejected);
    };
  }
  void TearDown() override {
    CProgramPropertiesCommand::s_runner = [](CQtProgramSheet&) {
      return static_cast<int>(QDialog::Rejected);
    };
    g_CurrentModelCode = 0x5188;
    DeviceCommandsTest::TearDown();
  }
  // Ctrl+U: the frame's accelerator of Device->PC, then the posted operation.
  void PressCtrlU() {
    QAction* accelerator = m_frame->findChild<QAction*>(QString("acc%1").arg(ID_DEVICE_TO_PC));
    ASSERT_NE(accelerator, nullptr);
    ASSERT_EQ(accelerator->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_U));
    accelerator->trigger();
    EXPECT_TRUE(m_sim.Requests().empty());
    RunPosted();
  }
  std::string InfoText() const { return m_frame->GetInfoBar()->GetText().ToUtf8(); }

  int m_sheetsShown = 0;
};

TEST_F(UploadCommandTest, CtrlUWithoutADiagramShowsWhyTheProgramCouldNotBeRebuilt) {
  HoldSmallProgram(m_sim, 0x5288, "", true);
  EXPECT_TRUE(Enabled(ID_DEVICE_TO_PC));
  PressCtrlU();
  EXPECT_EQ(m_choices, 1);
  EXPECT_EQ(m_sim.LastUploadEndSuccess(), 1);
  // The decoder refused the image: the user sees why, and no half-built window stays.
  ASSERT_EQ(m_sink.messages().size(), 1u) << InfoText();
  const CString text = m_sink.messages()[0].text;
  EXPECT_EQ(text.Left(25), CString(u"Upload Device->PC failed!"));
  EXPECT_GT(text.GetLength(), 26);
  EXPECT_EQ(m_sink.messages()[0].icon, MessageIcon::kError);
  Flush();
  EXPECT_EQ(DocCount(), 0);
  EXPECT_EQ(g_CurrentModelCode, 0x5188);
  EXPECT_EQ(g_ShowPropertiesOnNew, 1);
  EXPECT_EQ(m_sheetsShown, 0);
  EXPECT_NE(InfoText().find("UpLoad Succeeds"), std::string::npos);
  EXPECT_NE(InfoText().find(text.Mid(26).ToUtf8()), std::string::npos);
  CTransferProgressDlg* progress = m_device->ProgressDialog();
  ASSERT_NE(progress, nullptr);
  EXPECT_FALSE(progress->isVisible());
  EXPECT_EQ(progress->windowTitle(), "Device->PC");
  EXPECT_FALSE(m_device->Link().IsPortOpen());
}

TEST_F(UploadCommandTest, CtrlUWithPasswordOpensTheProgramAsANewDiagram) {
  HoldSmallProgram(m_sim, 0x5288, "AB");
  ASSERT_TRUE(m_frame->SendCommand(ID_FILE_NEW));
  ASSERT_EQ(DocCount(), 1);
  CZaradDoc* first = m_frame->GetActiveDocument();
  m_sheetsShown = 0;
  int asked = 0;
  m_device->SetPasswordRunner([&](CPasswordDlg& dialog) {
    ++asked;
    TypeText(dialog.Edit(), "ab");
    PressKey(dialog.Edit(), Qt::Key_Return);
    return dialog.result();
  });
  // A stand-in for the image decoder: it sees the image and the model, and draws a block.
  std::vector<BYTE> table;
  WORD decodedModel = 0;
  m_device->SetDecoder([&](const ProgramImage& image, WORD model, CZaradDoc& doc, CString&) {
    table = image.table;
    decodedModel = model;
    EXPECT_EQ(doc.m_wModelCode, model);
    EXPECT_FALSE(doc.IsLadder());
    EXPECT_TRUE(doc.m_blocks.IsEmpty());
    doc.AddBlock(MakeBlockOfType(300));
    return true;
  });
  PressCtrlU();
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(m_sink.messages().empty()) << InfoText();
  ASSERT_EQ(DocCount(), 2);
  CZaradDoc* doc = m_frame->GetActiveDocument();
  ASSERT_NE(doc, first);
  EXPECT_EQ(decodedModel, 0x5288);
  EXPECT_EQ(table.size(), static_cast<size_t>(kTableImageBytes));
  EXPECT_EQ(doc->m_wModelCode, 0x5288);
  EXPECT_EQ(doc->m_blocks.GetCount(), 1);
  // The model selected last is the uploaded one, and the status bar names it.
  EXPECT_EQ(g_CurrentModelCode, 0x5288);
  ASSERT_NE(m_frame->GetModelCaption(), nullptr);
  EXPECT_EQ(m_frame->GetModelCaption()->GetWindowText(), doc->GetModelPaneText());
  // One snapshot of the finished diagram: nothing to undo, but a diagram to save.
  EXPECT_FALSE(Enabled(ID_EDIT_UNDO));
  EXPECT_TRUE(m_frame->GetActiveDocumentWindow()->IsModified());
  EXPECT_EQ(m_sheetsShown, 0);
  EXPECT_EQ(g_ShowPropertiesOnNew, 1);
  const std::string info = InfoText();
  EXPECT_NE(info.find("It's Drawing Blocks and Lines(if any)"), std::string::npos);
  EXPECT_NE(info.find("It Draws completely!"), std::string::npos);
}

TEST_F(UploadCommandTest, CancelledPasswordLeavesEverythingAsItWas) {
  HoldSmallProgram(m_sim, 0x5188, "AB");
  m_device->SetPasswordRunner([](CPasswordDlg& dialog) {
    dialog.reject();
    return dialog.result();
  });
  PressCtrlU();
  EXPECT_EQ(m_sim.LastUploadEndSuccess(), 0);
  EXPECT_TRUE(m_sink.messages().empty());
  EXPECT_EQ(DocCount(), 0);
  EXPECT_NE(InfoText().find("UpLoad Fails"), std::string::npos);
}

// Enable once the image decoder is in: the uploaded program becomes an FBD diagram
// with the blocks and the wires that were downloaded.
TEST_F(UploadCommandTest, CtrlURebuildsTheDownloadedDiagram) {
  HoldSmallProgram(m_sim, 0x5188);
  PressCtrlU();
  EXPECT_TRUE(m_sink.messages().empty()) << InfoText();
  ASSERT_EQ(DocCount(), 1);
  CZaradDoc* doc = m_frame->GetActiveDocument();
  ASSERT_NE(doc, nullptr);
  EXPECT_FALSE(doc->IsLadder());
  EXPECT_EQ(doc->m_wModelCode, 0x5188);
  CBlockObj* input = nullptr;
  CBlockObj* gate = nullptr;
  CBlockObj* output = nullptr;
  for (CBlockObj* b : doc->m_blocks) {
    if (b->m_nType == 600) input = b;
    if (b->m_nType == 300) gate = b;
    if (b->m_nType == 605) output = b;
  }
  ASSERT_TRUE(input && gate && output);
  EXPECT_EQ(gate->m_nSource[0], input->m_nNumber);
  EXPECT_EQ(output->m_nSource[0], gate->m_nNumber);
  EXPECT_FALSE(doc->m_connections.IsEmpty());
  EXPECT_FALSE(Enabled(ID_EDIT_UNDO));
}

TEST(ComConfigDialog, TypedPathConnectAndDetect) {
  RecordingMessageSink sink;
  ScopedMessageSink scope(&sink);
  DeviceSimulator sim;
  std::vector<std::string> probed;
  CComConfigDlg dlg("", [&](const std::string& path) {
    probed.push_back(path);
    return path == sim.PortPath() ? 1 : 0;
  });
  dlg.PortList()->setEditText(QString::fromStdString(sim.PortPath()));
  dlg.DetectButton()->click();
  EXPECT_EQ(probed, std::vector<std::string>{sim.PortPath()});
  EXPECT_TRUE(sink.messages().empty());
  EXPECT_EQ(dlg.DetectButton()->text(), "Automatic Detection");
  EXPECT_TRUE(dlg.DetectButton()->isEnabled());
  dlg.PortList()->setEditText("/dev/ttyUSB9");
  dlg.DetectButton()->click();
  EXPECT_EQ(sink.messages().size(), 1u);  // silent port: string 631
  dlg.ConnectButton()->click();
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_EQ(dlg.Port(), "/dev/ttyUSB9");
}

TEST(ComConfigDialog, NoPortChosen) {
  RecordingMessageSink sink;
  ScopedMessageSink scope(&sink);
  CComConfigDlg dlg("", {});
  dlg.PortList()->clear();
  dlg.PortList()->setEditText("");
  dlg.ConnectButton()->click();
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_EQ(dlg.Port(), "");
  ASSERT_EQ(sink.messages().size(), 1u);
  EXPECT_EQ(sink.messages()[0].icon, MessageIcon::kQuestion);
}

TEST(TransferProgressDialog, TextsByPhase) {
  CTransferProgressDlg dlg;
  dlg.OnTransferProgress(45, kPhaseDownload);
  EXPECT_EQ(dlg.StatusLine()->text(), "DownLoading Program - 45%");
  EXPECT_EQ(dlg.windowTitle(), "PC->Device");
  EXPECT_EQ(dlg.ProgressBar()->value(), 45);
  dlg.OnTransferProgress(10, kPhaseUpload);
  EXPECT_EQ(dlg.StatusLine()->text(), "UpLoading Program - 10%");
  EXPECT_EQ(dlg.windowTitle(), "Device->PC");
  dlg.OnTransferProgress(30, kPhaseOther);
  EXPECT_EQ(dlg.StatusLine()->text(), "It's writing or Factory Resetting - 30%");
  EXPECT_EQ(dlg.windowTitle(), "PC->Device");
  dlg.OnTransferProgress(80, 9);
  EXPECT_EQ(dlg.Phase(), 9);
  EXPECT_EQ(dlg.ProgressBar()->value(), 30);
}

TEST(PasswordDialog, CapitalsOnlyAtMostEight) {
  RecordingMessageSink sink;
  ScopedMessageSink scope(&sink);
  CPasswordDlg dlg;
  TypeText(dlg.Edit(), "abcdefghij");
  EXPECT_EQ(dlg.Edit()->text(), "ABCDEFGH");
  EXPECT_TRUE(sink.messages().empty());
  dlg.Edit()->clear();
  TypeText(dlg.Edit(), "AB1");
  EXPECT_EQ(dlg.Edit()->text(), "");
  ASSERT_EQ(sink.messages().size(), 1u);
  EXPECT_EQ(sink.messages()[0].text, CString(u"Every character of the password must be A - Z"));
  TypeText(dlg.Edit(), "xyz");
  PressKey(dlg.Edit(), Qt::Key_Return);
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  unsigned char bytes[8];
  dlg.CopyPassword(bytes);
  EXPECT_EQ(bytes[0], 'X');
  EXPECT_EQ(bytes[2], 'Z');
  EXPECT_EQ(bytes[3], 0xFF);
}
