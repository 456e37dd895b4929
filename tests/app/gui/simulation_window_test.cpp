// Simulation in a real diagram window of the main window: F3 enters and
// leaves, the 25 ms timer advances the simulated clock, the Inputs, Outputs and
// Simulation bars operate the inputs and show the outputs, the keys pressed in
// the bars reach the view, the analog value pop-up sets an analog input.
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QThread>
#include <QTimeEdit>
#include <QToolButton>

#include "blocks/block_factory.h"
#include "controls/gui/flat_icon_button.h"
#include "controls/gui/valid_edit.h"
#include "editor/diagram_editor.h"
#include "editor/gui/child_frame.h"
#include "editor/gui/sim_bars.h"
#include "editor/gui/zarad_view.h"
#include "model/zarad_doc.h"
#include "pages/block_param_page.h"
#include "platform/gui/qt_string.h"
#include "platform/recording_dc.h"
#include "platform/resource_ids.h"
#include "properties/block_sheet.h"
#include "properties/gui/qt_block_sheet.h"
#include "shell_fixture.h"

namespace {

class SimulationWindowTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    m_app->SetDocumentFactory([](CShell& shell) { return new CChildFrame(&shell); });
  }

  // Saves a diagram made by build and opens it in a diagram window.
  template <typename Build>
  CChildFrame* OpenDiagram(const QString& name, Build build) {
    {
      CZaradDoc doc;
      doc.m_nKind = kDocFbd;
      build(doc);
      CString error;
      EXPECT_TRUE(doc.OnSaveDocument(ToCString(Path(name)), &error));
    }
    EXPECT_NE(m_app->OpenDocumentFile(ToCString(Path(name))), nullptr);
    QCoreApplication::processEvents();
    return dynamic_cast<CChildFrame*>(m_frame->GetActiveDocumentWindow());
  }

  static CBlockObj* Add(CZaradDoc& doc, int type, CPoint at) {
    CBlockObj* b = doc.AddBlock(MakeBlockOfType(type, BlockContext::For(&doc)));
    b->m_ptPos = at;
    return b;
  }

  static void Wire(CZaradDoc& doc, CBlockObj* from, CBlockObj* to, int pin) {
    CDiagramEditor core(&doc);
    EXPECT_NE(core.ConnectBlockPins(from, kFirstOutputPin, to, pin), nullptr);
  }

  // The client point at the middle of a block's body.
  static QPoint Centre(CZaradView* view, const CBlockObj* b) {
    const CPoint c =
        view->Core().DiagramToClient(CPoint(b->m_ptPos.x + b->m_nWidth / 2, b->m_ptPos.y + b->m_nHeight / 2));
    return QPoint(c.x, c.y);
  }
  // The modeless block sheets open over the view.
  static std::vector<CQtBlockSheet*> OpenSheets(CZaradView* view) {
    std::vector<CQtBlockSheet*> sheets;
    for (CQtBlockSheet* sheet : view->findChildren<CQtBlockSheet*>())
      if (sheet->isVisible()) sheets.push_back(sheet);
    return sheets;
  }
  // The picture of the value box under a block (the box of one line, as wide
  // as the block) that the view's last repaint made.
  static QImage ValueBoxPicture(CZaradView* view, const CBlockObj* b) {
    QCoreApplication::processEvents();
    const CDiagramEditor& core = view->Core();
    const CPoint tl = core.DiagramToClient(CPoint(b->m_ptPos.x, b->m_ptPos.y + b->m_nHeight + 2));
    const CPoint br =
        core.DiagramToClient(CPoint(b->m_ptPos.x + b->m_nWidth, b->m_ptPos.y + b->m_nHeight + 14));
    return view->LastPicture().copy(QRect(QPoint(tl.x, tl.y), QPoint(br.x - 1, br.y - 1)));
  }
  // The texts the view draws now, through its own paint path into a recording context.
  static bool DrawsText(CZaradView* view, const char16_t* text) {
    CRecordingDC dc(CSize(4000, 4000));
    view->OnDraw(&dc);
    return dc.FindText(CString(text)) != nullptr;
  }

  // Pixels of the simulation's signal-1 colour (red) inside a block in the
  // picture that the view's last repaint made.
  static int RedPixels(CZaradView* view, const CBlockObj* b) {
    QCoreApplication::processEvents();
    const QImage& image = view->LastPicture();
    const CDiagramEditor& core = view->Core();
    const CPoint tl = core.DiagramToClient(b->m_ptPos);
    const CPoint br = core.DiagramToClient(CPoint(b->m_ptPos.x + b->m_nWidth, b->m_ptPos.y + b->m_nHeight));
    int red = 0;
    for (int y = std::max(tl.y, 0); y < std::min(br.y, image.height()); ++y)
      for (int x = std::max(tl.x, 0); x < std::min(br.x, image.width()); ++x) {
        const QColor c = image.pixelColor(x, y);
        if (c.red() > 200 && c.green() < 60 && c.blue() < 60) ++red;
      }
    return red;
  }
};

long long Millis(const SYSTEMTIME& st) {
  return ((((static_cast<long long>(st.wDay) * 24 + st.wHour) * 60 + st.wMinute) * 60 + st.wSecond) * 1000) +
         st.wMilliseconds;
}

TEST_F(SimulationWindowTest, F3EntersSimulationTicksTheClockAndLeaves) {
  CChildFrame* child = OpenDiagram("sim.bfb", [](CZaradDoc& doc) { Add(doc, 300, CPoint(100, 100)); });
  ASSERT_NE(child, nullptr);
  EXPECT_FALSE(child->IsSimulating());

  ASSERT_TRUE(m_frame->SendCommand(ID_SIMULATION));
  EXPECT_TRUE(child->IsSimulating());
  const SYSTEMTIME start = child->GetSimulatedTime();
  // The ticks come from a real timer: on a loaded machine they may come late, so
  // wait for four of them rather than for a fixed time.
  for (int waited = 0; waited < 10000 && Millis(child->GetSimulatedTime()) - Millis(start) < 100;
       waited += 25)
    QTest::qWait(25);
  EXPECT_GE(Millis(child->GetSimulatedTime()) - Millis(start), 100);

  ASSERT_TRUE(m_frame->SendCommand(ID_SIMULATION));
  EXPECT_FALSE(child->IsSimulating());
  const SYSTEMTIME stopped = child->GetSimulatedTime();
  QTest::qWait(100);
  EXPECT_EQ(Millis(child->GetSimulatedTime()), Millis(stopped));
}

// The whole path a user takes: input I1 drives an on-delay of one second into
// output Q1; F3 on the view, a click on I1 in the Inputs bar, ticks of the
// clock, and Q1 lights in the Outputs bar and on the diagram after the delay.
TEST_F(SimulationWindowTest, InputDrivesAnOnDelayIntoAnOutputThroughTheBars) {
  CChildFrame* child = OpenDiagram("delay.bfb", [](CZaradDoc& doc) {
    CBlockObj* in = Add(doc, 600, CPoint(100, 100));
    CBlockObj* delay = Add(doc, 400, CPoint(260, 100));
    CBlockObj* out = Add(doc, 605, CPoint(420, 100));
    in->m_nNumber = 101;    // I1
    out->m_nNumber = 601;   // Q1
    delay->m_nParam10 = 1;  // 1 s
    delay->m_nParam9 = 0;
    delay->m_nParam11 = 2;
    Wire(doc, in, delay, 0);
    Wire(doc, delay, out, 0);
  });
  ASSERT_NE(child, nullptr);
  CZaradView* view = child->GetActiveView();
  CZaradDoc* doc = child->GetDocument();
  CBlockObj* output = doc->FindBlockByNumber(601);
  ASSERT_NE(output, nullptr);
  view->setFocus();
  QTest::keyClick(view, Qt::Key_F3);
  QCoreApplication::processEvents();
  ASSERT_TRUE(child->IsSimulating());
  ASSERT_NE(child->InputsBar(), nullptr);
  // The three bars in one row at the bottom: Inputs, Outputs, Simulation.
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(child->Dock(i)->isHidden());
  EXPECT_LT(child->Dock(0)->x(), child->Dock(1)->x());
  EXPECT_LT(child->Dock(1)->x(), child->Dock(2)->x());
  EXPECT_GT(child->Dock(0)->y(), view->y());

  auto* input = qobject_cast<CFlatIconButton*>(child->InputsBar()->Control("I1"));
  auto* lamp = qobject_cast<CFlatIconButton*>(child->OutputsBar()->Control("Q1"));
  ASSERT_NE(input, nullptr);
  ASSERT_NE(lamp, nullptr);
  QTest::mouseClick(input, Qt::LeftButton);
  EXPECT_EQ(doc->FindBlockByNumber(101)->m_nValue[kFirstOutputPin], 1);
  EXPECT_TRUE(input->property("lit").toBool());
  for (int i = 0; i < 20; ++i) child->OnSimTick();  // half a second: not yet
  QCoreApplication::processEvents();
  EXPECT_FALSE(lamp->property("lit").toBool());
  EXPECT_EQ(output->m_nValue[kFirstOutputPin], 0);
  const int redBefore = RedPixels(view, output);
  for (int i = 0; i < 30; ++i) child->OnSimTick();
  QCoreApplication::processEvents();
  EXPECT_TRUE(lamp->property("lit").toBool());
  EXPECT_EQ(output->m_nValue[kFirstOutputPin], 1);
  EXPECT_GT(RedPixels(view, output), redBefore + 10);  // drawn in the signal-1 colour

  // Switching I1 off again puts the lamp out at the next tick.
  QTest::mouseClick(input, Qt::LeftButton);
  child->OnSimTick();
  child->OnSimTick();
  EXPECT_FALSE(lamp->property("lit").toBool());
}

// The window's timer keeps the simulated clock with the wall clock: after the
// program stalled for a second, the next timer event runs the ticks owed, but
// no more than the catch-up allows, so the clock neither falls behind by the
// stall's ticks nor races after it.
TEST_F(SimulationWindowTest, TimerEventAfterAStallCatchesUpBoundedly) {
  CChildFrame* child = OpenDiagram("stall.bfb", [](CZaradDoc& doc) { Add(doc, 600, CPoint(100, 100)); });
  ASSERT_NE(child, nullptr);
  ASSERT_TRUE(m_frame->SendCommand(ID_SIMULATION));
  QTest::qWait(60);
  const long long before = Millis(child->GetSimulatedTime());
  QThread::msleep(1000);  // the program stalls: the timer's events are late
  // The first late event comes (on a busy machine it may take a while to be dispatched).
  QElapsedTimer waited;
  waited.start();
  while (Millis(child->GetSimulatedTime()) == before && waited.elapsed() < 5000)
    QCoreApplication::processEvents();
  const long long after = Millis(child->GetSimulatedTime());
  // The clock's milliseconds start at the wall clock's and restart at 0 with each new second,
  // so one of the ticks may count for less than a whole step.
  EXPECT_GE(after - before, (CScanDriver::kMaxCatchUpTicks - 1) * CScanDriver::kTickMs);
  EXPECT_LE(after - before, (CScanDriver::kMaxCatchUpTicks + 1) * CScanDriver::kTickMs);
  ASSERT_TRUE(m_frame->SendCommand(ID_SIMULATION));
}

TEST_F(SimulationWindowTest, MomentaryAndFrequencyInputsInTheInputsBar) {
  CChildFrame* child = OpenDiagram("modes.bfb", [](CZaradDoc& doc) {
    CBlockObj* make = Add(doc, 600, CPoint(100, 100));
    CBlockObj* freq = Add(doc, 600, CPoint(100, 200));
    make->m_nParam26 = 1;
    freq->m_nParam26 = 3;
    freq->m_nMaxValue = 1000;
  });
  ASSERT_NE(child, nullptr);
  ASSERT_TRUE(m_frame->SendCommand(ID_SIMULATION));
  CZaradDoc* doc = child->GetDocument();
  CBlockObj* make = doc->FindBlockByNumber(100);
  CBlockObj* freq = doc->FindBlockByNumber(101);
  auto* button = qobject_cast<CFlatIconButton*>(child->InputsBar()->Control("I0"));
  ASSERT_NE(button, nullptr);
  QTest::mousePress(button, Qt::LeftButton);
  EXPECT_EQ(make->m_nValue[kFirstOutputPin], 1);
  QTest::mouseRelease(button, Qt::LeftButton);
  EXPECT_EQ(make->m_nValue[kFirstOutputPin], 0);
  // A Frequency input is a value field: typing sets its value at once.
  auto* field = qobject_cast<QLineEdit*>(child->InputsBar()->Control("I1"));
  ASSERT_NE(field, nullptr);
  field->clear();
  QTest::keyClicks(field, "50");
  EXPECT_EQ(freq->m_nSimValue, 50);
  // A mode changed while simulating (Apply of its sheet) rebuilds the item.
  freq->m_nParam26 = 0;
  child->OnSimTick();
  EXPECT_NE(qobject_cast<CFlatIconButton*>(child->InputsBar()->Control("I1")), nullptr);
}

// The bars' buttons are icon buttons: the Simulation Control bar's flat, lighter
// under the mouse, Power and the clock button holding a check; the Inputs and
// Outputs bars' raised, their lamp over their caption.
TEST_F(SimulationWindowTest, BarButtonsAreFlatIconButtons) {
  CChildFrame* child = OpenDiagram("buttons.bfb", [](CZaradDoc& doc) {
    Add(doc, 600, CPoint(100, 100));
    Add(doc, 605, CPoint(300, 100));
  });
  ASSERT_NE(child, nullptr);
  ASSERT_TRUE(m_frame->SendCommand(ID_SIMULATION));
  CSimControlBar* bar = child->ControlBar();
  ASSERT_NE(bar, nullptr);
  for (CFlatIconButton* b : {bar->PowerButton(), bar->StartButton(), bar->StopButton(), bar->SuspendButton(),
                             bar->StepButton(), bar->SetClockButton()}) {
    EXPECT_TRUE(b->Model().IsFlat()) << b->objectName().toStdString();
    EXPECT_NE(b->GetColor(BTNST_COLOR_BK_IN), b->GetColor(BTNST_COLOR_BK_OUT));
    EXPECT_EQ(b->Model().IsCheckBox(), b == bar->PowerButton() || b == bar->SetClockButton());
  }
  EXPECT_FALSE(bar->StartButton()->toolTip().isEmpty());
  QTest::mousePress(bar->PowerButton(), Qt::LeftButton);
  EXPECT_TRUE(bar->PowerButton()->GetCheck());
  QTest::mouseRelease(bar->PowerButton(), Qt::LeftButton);
  EXPECT_FALSE(bar->PowerButton()->GetCheck());
  EXPECT_FALSE(child->GetActiveView()->Core().GetScanDriver().IsPowerCut());
  bar->SetClockButton()->click();
  EXPECT_TRUE(bar->SetClockButton()->GetCheck());
  ASSERT_NE(bar->ClockDialog(), nullptr);
  bar->ClockDialog()->reject();
  EXPECT_FALSE(bar->SetClockButton()->GetCheck());
  for (CFlatIconButton* b : {qobject_cast<CFlatIconButton*>(child->InputsBar()->Control("I0")),
                             qobject_cast<CFlatIconButton*>(child->OutputsBar()->Control("Q0"))}) {
    ASSERT_NE(b, nullptr);
    EXPECT_FALSE(b->Model().IsFlat());
    EXPECT_EQ(b->Model().GetIconAlignment(), BTNST_ALIGN_VERT);
  }
  ASSERT_TRUE(m_frame->SendCommand(ID_SIMULATION));
}

TEST_F(SimulationWindowTest, BarKeysReachTheViewAndBarsStayWhilePowerIsCut) {
  CChildFrame* child = OpenDiagram("keys.bfb", [](CZaradDoc& doc) { Add(doc, 600, CPoint(100, 100)); });
  ASSERT_NE(child, nullptr);
  ASSERT_TRUE(m_frame->SendCommand(ID_SIMULATION));
  CSimControlBar* bar = child->ControlBar();
  ASSERT_NE(bar, nullptr);

  // Closing a bar during a power cut is ignored; afterwards it closes.
  QDockWidget* dock = child->Dock(0);
  QTest::mousePress(bar->PowerButton(), Qt::LeftButton);
  EXPECT_TRUE(child->GetActiveView()->Core().GetScanDriver().IsPowerCut());
  EXPECT_FALSE(dock->close());
  EXPECT_FALSE(dock->isHidden());
  QTest::mouseRelease(bar->PowerButton(), Qt::LeftButton);
  EXPECT_FALSE(child->GetActiveView()->Core().GetScanDriver().IsPowerCut());
  EXPECT_TRUE(dock->close());

  // F5 in the Simulation bar leaves simulation and takes up the wiring tool.
  bar->UnitCombo()->setFocus();
  QTest::keyClick(bar->UnitCombo(), Qt::Key_F5);
  QTest::qWait(20);
  EXPECT_FALSE(child->IsSimulating());
  EXPECT_EQ(child->GetActiveView()->Core().GetEditMode(), MODE_CONNECT);
  EXPECT_TRUE(child->Dock(2)->isHidden());

  // F3 in a bar leaves simulation as F3 in the view does.
  ASSERT_TRUE(m_frame->SendCommand(ID_SIMULATION));
  ASSERT_TRUE(child->IsSimulating());
  child->ControlBar()->CyclesEdit()->setFocus();
  QTest::keyClick(child->ControlBar()->CyclesEdit(), Qt::Key_F3);
  QTest::qWait(20);
  EXPECT_FALSE(child->IsSimulating());
}

TEST_F(SimulationWindowTest, AnalogInputPopupSetsItsValue) {
  CChildFrame* child = OpenDiagram("analog.bfb", [](CZaradDoc& doc) {
    CBlockObj* ai = Add(doc, 608, CPoint(100, 100));
    ai->m_nNumber = 4000;
    ai->m_bAutoRange = 0;
    ai->m_nMinValue = 0;
    ai->m_nMaxValue = 500;
  });
  ASSERT_NE(child, nullptr);
  ASSERT_TRUE(m_frame->SendCommand(ID_SIMULATION));
  CZaradView* view = child->GetActiveView();
  CBlockObj* ai = child->GetDocument()->FindBlockByNumber(4000);
  ASSERT_NE(ai, nullptr);
  const CPoint centre = view->Core().DiagramToClient(
      CPoint(ai->m_ptPos.x + ai->m_nWidth / 2, ai->m_ptPos.y + ai->m_nHeight / 2));
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(centre.x, centre.y));
  CAnalogSliderDlg* popup = view->ValuePopup();
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(popup->Block(), ai);
  EXPECT_EQ(popup->Slider()->maximum(), ai->m_nMaxValue);
  popup->Slider()->setValue(popup->Slider()->minimum() + 120);
  EXPECT_EQ(ai->m_nSimValue, popup->Slider()->minimum() + 120);
  child->OnSimTick();
  // The Inputs bar shows the new value in the analog input's field.
  auto* field = qobject_cast<QLineEdit*>(child->InputsBar()->Control("AI0"));
  ASSERT_NE(field, nullptr);
  EXPECT_EQ(field->text().toInt(), ai->m_nSimValue);
  // Escape in the pop-up closes it.
  QTest::keyClick(popup->Slider(), Qt::Key_Escape);
  EXPECT_EQ(view->ValuePopup(), nullptr);
}

TEST_F(SimulationWindowTest, SetClockAppliesOnApplyOrAtOnce) {
  CChildFrame* child = OpenDiagram("clock.bfb", [](CZaradDoc& doc) { Add(doc, 600, CPoint(100, 100)); });
  ASSERT_NE(child, nullptr);
  ASSERT_TRUE(m_frame->SendCommand(ID_SIMULATION));
  CSimControlBar* bar = child->ControlBar();
  bar->SetClockButton()->click();
  CSimClockDlg* dlg = bar->ClockDialog();
  ASSERT_NE(dlg, nullptr);
  EXPECT_TRUE(dlg->isVisible());
  // Without "Apply values immediately" the pickers change nothing until Apply.
  dlg->DateEdit()->setDate(QDate(2031, 6, 1));
  EXPECT_NE(child->GetSimulatedTime().wYear, 2031);
  dlg->ApplyButton()->click();
  EXPECT_EQ(child->GetSimulatedTime().wYear, 2031);
  EXPECT_EQ(child->GetSimulatedTime().wDayOfWeek, 0);  // 1 June 2031 is a Sunday
  // With it, changing only the time sets the clock at once.
  dlg->ApplyNowCheck()->setChecked(true);
  dlg->TimeEdit()->setTime(QTime(13, 7, 9));
  EXPECT_EQ(child->GetSimulatedTime().wHour, 13);
  EXPECT_EQ(child->GetSimulatedTime().wDay, 1);
  EXPECT_EQ(dlg->ClockText()->text(), QStringLiteral("Sunday, June 1, 2031 1:7:9 PM"));
  // The date picker cannot leave 2000 to 2099.
  dlg->DateEdit()->setDate(QDate(2150, 1, 1));
  EXPECT_EQ(dlg->DateEdit()->date(), QDate(2099, 12, 31));
  EXPECT_EQ(child->GetSimulatedTime().wYear, 2099);
  // Cancel closes and unchecks the button; reopening keeps the choice.
  dlg->reject();
  QCoreApplication::processEvents();
  EXPECT_FALSE(bar->SetClockButton()->isChecked());
  bar->SetClockButton()->click();
  ASSERT_NE(bar->ClockDialog(), nullptr);
  EXPECT_TRUE(bar->ClockDialog()->ApplyNowCheck()->isChecked());
  EXPECT_EQ(bar->ClockDialog()->DateEdit()->date(), QDate(2099, 12, 31));
}

TEST_F(SimulationWindowTest, OneSimulatingWindowAtATimeAndClosingOneReleasesIt) {
  CChildFrame* first = OpenDiagram("one.bfb", [](CZaradDoc& doc) { Add(doc, 600, CPoint(100, 100)); });
  ASSERT_NE(first, nullptr);
  ASSERT_TRUE(m_frame->SendCommand(ID_SIMULATION));
  ASSERT_TRUE(first->IsSimulating());
  CChildFrame* second = OpenDiagram("two.bfb", [](CZaradDoc& doc) { Add(doc, 600, CPoint(100, 100)); });
  ASSERT_NE(second, nullptr);
  ASSERT_NE(second, first);
  m_frame->UpdateCommandUI();
  EXPECT_FALSE(m_frame->GetAction(ID_SIMULATION)->isEnabled());
  EXPECT_FALSE(second->CanSimulate());
  // Closing the simulating window stops its timer and frees the command.
  first->GetWidget()->parentWidget()->close();
  Flush();
  QTest::qWait(60);
  m_frame->UpdateCommandUI();
  EXPECT_TRUE(second->CanSimulate());
  ASSERT_TRUE(m_frame->SendCommand(ID_SIMULATION));
  EXPECT_TRUE(second->IsSimulating());
}

// ---- What the simulation shows -------------------------------------------------------------

// A running on-delay shows its time in the value box under it: the box is in
// the picture the window paints, and its text changes from one tick to the
// next. A counter shows its count after three pulses of its input.
TEST_F(SimulationWindowTest, ValueBoxesShowTheTimeAndTheCount) {
  CChildFrame* child = OpenDiagram("values.bfb", [](CZaradDoc& doc) {
    CBlockObj* in = Add(doc, 600, CPoint(100, 100));
    CBlockObj* delay = Add(doc, 400, CPoint(260, 100));
    CBlockObj* pulse = Add(doc, 600, CPoint(100, 300));
    CBlockObj* counter = Add(doc, 800, CPoint(260, 300));
    in->m_nNumber = 101;     // I1
    pulse->m_nNumber = 102;  // I2
    delay->m_nParam10 = 50;  // 50.00 s
    delay->m_nParam9 = 0;
    delay->m_nParam11 = 2;
    counter->m_nParam10 = 100;
    Wire(doc, in, delay, 0);
    Wire(doc, pulse, counter, 1);  // Cnt
  });
  ASSERT_NE(child, nullptr);
  CZaradView* view = child->GetActiveView();
  CZaradDoc* doc = child->GetDocument();
  ASSERT_TRUE(m_frame->SendCommand(ID_SIMULATION));
  child->OnSimTick();
  CBlockObj* delay = nullptr;
  CBlockObj* counter = nullptr;
  for (CBlockObj* b : doc->m_blocks) {
    if (b->m_nType == 400) delay = b;
    if (b->m_nType == 800) counter = b;
  }
  ASSERT_TRUE(delay && counter);

  auto* input = qobject_cast<QAbstractButton*>(child->InputsBar()->Control("I1"));
  ASSERT_NE(input, nullptr);
  QTest::mouseClick(input, Qt::LeftButton);
  for (int i = 0; i < 4; ++i) child->OnSimTick();
  const QImage first = ValueBoxPicture(view, delay);
  ASSERT_FALSE(first.isNull());
  // The box is light yellow where no character stands.
  int yellow = 0;
  for (int y = 0; y < first.height(); ++y)
    for (int x = 0; x < first.width(); ++x)
      yellow += first.pixelColor(x, y) == QColor(0xFF, 0xFF, 0xCC) ? 1 : 0;
  EXPECT_GT(yellow, first.width() * first.height() / 3);
  child->OnSimTick();
  const QImage second = ValueBoxPicture(view, delay);
  EXPECT_NE(first, second) << "the time in the value box moves on every tick";
  EXPECT_NE(delay->m_strValueText, CString(u"00:00s"));
  EXPECT_TRUE(DrawsText(view, delay->m_strValueText.GetString()));

  auto* pulses = qobject_cast<QAbstractButton*>(child->InputsBar()->Control("I2"));
  ASSERT_NE(pulses, nullptr);
  for (int i = 0; i < 3; ++i) {
    QTest::mouseClick(pulses, Qt::LeftButton);  // on
    child->OnSimTick();
    QTest::mouseClick(pulses, Qt::LeftButton);  // off
    child->OnSimTick();
  }
  EXPECT_EQ(counter->m_dValue, 3);
  EXPECT_TRUE(DrawsText(view, u"     3"));
  if (qEnvironmentVariableIsSet("ZOVUZI_SHOT")) view->LastPicture().save(qEnvironmentVariable("ZOVUZI_SHOT"));

  // Leaving the simulation draws the diagram plainly again: no value boxes.
  ASSERT_TRUE(m_frame->SendCommand(ID_SIMULATION));
  EXPECT_FALSE(DrawsText(view, u"     3"));
}

// An on-delay's sheet opened by a double click while the diagram simulates
// shows the running time in its "Current Parameter Value" box; a double click
// on an input opens nothing (it is switched by single clicks); leaving the
// simulation closes the sheet.
TEST_F(SimulationWindowTest, OpenSheetsShowLiveValuesAndCloseWithTheSimulation) {
  CChildFrame* child = OpenDiagram("sheets.bfb", [](CZaradDoc& doc) {
    CBlockObj* in = Add(doc, 600, CPoint(100, 100));
    CBlockObj* delay = Add(doc, 400, CPoint(260, 100));
    delay->m_nParam10 = 50;
    delay->m_nParam9 = 0;
    delay->m_nParam11 = 2;
    Wire(doc, in, delay, 0);
  });
  ASSERT_NE(child, nullptr);
  CZaradView* view = child->GetActiveView();
  CZaradDoc* doc = child->GetDocument();
  ASSERT_TRUE(m_frame->SendCommand(ID_SIMULATION));
  CBlockObj* in = doc->FindBlockByNumber(100);
  CBlockObj* delay = nullptr;
  for (CBlockObj* b : doc->m_blocks)
    if (b->m_nType == 400) delay = b;
  ASSERT_TRUE(in && delay);

  // A double click on the input only switches it (its first click), as a click does.
  QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, Centre(view, in));
  QCoreApplication::processEvents();
  EXPECT_TRUE(OpenSheets(view).empty());
  EXPECT_EQ(view->Core().GetCurrentBlock(), nullptr);
  in->m_nValue[kFirstOutputPin] = in->m_nValue[0] = 1;
  in->m_bChanged[kFirstOutputPin] = 1;

  QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, Centre(view, delay));
  QCoreApplication::processEvents();
  const auto sheets = OpenSheets(view);
  ASSERT_EQ(sheets.size(), 1u);
  CBlockParamPage* page = sheets[0]->Sheet().ParamPage();
  ASSERT_NE(page, nullptr);
  ASSERT_TRUE(page->HasValueBox());
  for (int i = 0; i < 3; ++i) child->OnSimTick();
  const CString before = page->CurrentValueText();
  child->OnSimTick();
  const CString after = page->CurrentValueText();
  EXPECT_FALSE(before.IsEmpty());
  EXPECT_NE(before, after);
  EXPECT_EQ(after, delay->m_strValueText);
  if (qEnvironmentVariableIsSet("ZOVUZI_SHOT"))
    sheets[0]->grab().save(qEnvironmentVariable("ZOVUZI_SHOT") + ".sheet.png");

  // Leaving the simulation closes the sheet; nothing it held is written.
  QPointer<CQtBlockSheet> sheet = sheets[0];
  ASSERT_TRUE(m_frame->SendCommand(ID_SIMULATION));
  Flush();
  EXPECT_TRUE(sheet.isNull());
  EXPECT_TRUE(OpenSheets(view).empty());
}

// The weekly timer shows the simulated clock on the cam page in front, not on
// its general page (which has no value box).
TEST_F(SimulationWindowTest, WeeklyTimerShowsItsValueOnTheCamPage) {
  CChildFrame* child = OpenDiagram("weekly.bfb", [](CZaradDoc& doc) { Add(doc, 410, CPoint(200, 100)); });
  ASSERT_NE(child, nullptr);
  CZaradView* view = child->GetActiveView();
  CBlockObj* weekly = child->GetDocument()->m_blocks.GetHead();
  ASSERT_TRUE(m_frame->SendCommand(ID_SIMULATION));
  QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, Centre(view, weekly));
  QCoreApplication::processEvents();
  const auto sheets = OpenSheets(view);
  ASSERT_EQ(sheets.size(), 1u);
  CBlockSheet& sheet = sheets[0]->Sheet();
  ASSERT_GE(sheet.Pages().size(), 4u);
  auto* tabs = sheets[0]->findChild<QTabWidget*>();
  ASSERT_NE(tabs, nullptr);
  tabs->setCurrentIndex(2);  // cam 2
  child->OnSimTick();
  auto* cam = dynamic_cast<CBlockParamPage*>(sheet.Pages()[2]);
  ASSERT_NE(cam, nullptr);
  EXPECT_TRUE(cam->HasValueBox());
  EXPECT_EQ(cam->CurrentValueText(), child->FormatSimulatedTime(FALSE, 0));
  auto* general = dynamic_cast<CBlockParamPage*>(sheet.Pages()[0]);
  ASSERT_NE(general, nullptr);
  EXPECT_TRUE(general->CurrentValueText().IsEmpty());
}

// View > Inputs, Outputs and Simulation Bar: greyed outside a simulation;
// while one runs they show the bars' states and bring a closed bar back.
TEST_F(SimulationWindowTest, ViewBarCommandsBringAClosedBarBack) {
  CChildFrame* child = OpenDiagram("bars.bfb", [](CZaradDoc& doc) { Add(doc, 600, CPoint(100, 100)); });
  ASSERT_NE(child, nullptr);
  const UINT ids[3] = {ID_VIEW_INPUTS_BAR, ID_VIEW_OUTPUTS_BAR, ID_VIEW_SIMULATION_BAR};
  m_frame->UpdateCommandUI();
  for (UINT id : ids) EXPECT_FALSE(m_frame->GetAction(id)->isEnabled()) << id;
  ASSERT_TRUE(m_frame->SendCommand(ID_SIMULATION));
  for (int bar = 0; bar < 3; ++bar) {
    QDockWidget* dock = child->Dock(bar);
    ASSERT_NE(dock, nullptr);
    m_frame->UpdateCommandUI();
    QAction* action = m_frame->GetAction(ids[bar]);
    EXPECT_TRUE(action->isEnabled());
    EXPECT_TRUE(action->isChecked());
    EXPECT_TRUE(dock->close());
    m_frame->UpdateCommandUI();
    EXPECT_FALSE(action->isChecked());
    EXPECT_TRUE(m_frame->SendCommand(ids[bar]));
    EXPECT_FALSE(dock->isHidden()) << "the bar comes back";
    m_frame->UpdateCommandUI();
    EXPECT_TRUE(action->isChecked());
  }
  ASSERT_TRUE(m_frame->SendCommand(ID_SIMULATION));
  m_frame->UpdateCommandUI();
  for (UINT id : ids) EXPECT_FALSE(m_frame->GetAction(id)->isEnabled()) << id;
}

// The step time "##:##" follows the masked edit's rules as the user types:
// Backspace turns the digit before the caret into 0, Delete takes nothing out
// of the middle, a digit after the minutes jumps over the ':'.
TEST_F(SimulationWindowTest, StepTimeFieldEditing) {
  CChildFrame* child = OpenDiagram("steptime.bfb", [](CZaradDoc& doc) { Add(doc, 600, CPoint(100, 100)); });
  ASSERT_NE(child, nullptr);
  ASSERT_TRUE(m_frame->SendCommand(ID_SIMULATION));
  CSimControlBar* bar = child->ControlBar();
  bar->SuspendButton()->click();  // the step edits take input while the simulation is suspended
  bar->UnitCombo()->setCurrentIndex(SIM_UNIT_SECONDS);
  CMaskedEdit* edit = bar->TimeEdit();
  ASSERT_TRUE(edit->isEnabled());
  ASSERT_TRUE(edit->isVisibleTo(bar));
  struct Case {
    const char* text;
    int caret;
    Qt::Key key;
    const char* typed;  // typed characters instead of the key when set
    const char* result;
    int caretAfter;
  };
  const Case cases[] = {
      {"01:25", 5, Qt::Key_Backspace, nullptr, "01:20", 4},
      {"01:25", 3, Qt::Key_Backspace, nullptr, "01:25", 2},  // after the ':' only moves
      {"01:25", 1, Qt::Key_Delete, nullptr, "01:25", 1},     // not out of the middle
      {"12", 2, Qt::Key_unknown, "5", "12:5", 4},
      {"01:25", 0, Qt::Key_unknown, "9", "91:25", 1},  // a digit writes over
      {"01:25", 0, Qt::Key_unknown, "x", "01:25", 0},  // a letter is refused
  };
  for (const Case& c : cases) {
    edit->setText(QString::fromLatin1(c.text));
    edit->setFocus();
    edit->setCursorPosition(c.caret);
    if (c.typed) {
      QTest::keyClicks(edit, QString::fromLatin1(c.typed));
    } else {
      QTest::keyClick(edit, c.key);
    }
    EXPECT_EQ(edit->text(), QString::fromLatin1(c.result)) << c.text << " " << c.caret;
    EXPECT_EQ(edit->cursorPosition(), c.caretAfter) << c.text << " " << c.caret;
  }
  // 01:20 in seconds is a step of 1.20 s, not 0.12 s.
  edit->setText(QStringLiteral("01:25"));
  edit->setCursorPosition(5);
  QTest::keyClick(edit, Qt::Key_Backspace);
  bar->StepButton()->click();
  EXPECT_EQ(child->GetActiveView()->Core().GetScanDriver().GetStepRemaining(), 120);
}

// A diagram with every input and output the bars show: the Inputs bar scrolls
// its long row instead of reaching over the Simulation bar, every bar keeps its
// title readable, and the Simulation bar keeps its width through a step, whose
// count stays shown after the step ended.
TEST_F(SimulationWindowTest, BarsOfALargeDiagramStayApartAndKeepTheirWidth) {
  CChildFrame* child = OpenDiagram("large.bfb", [](CZaradDoc& doc) {
    auto add = [&doc](int type, int number, int k) {
      CBlockObj* b = Add(doc, type, CPoint(60 + (k % 8) * 90, 60 + (k / 8) * 90));
      b->m_nNumber = number;
    };
    int k = 0;
    for (int i = 0; i < 16; ++i) add(600, 100 + i, k++);
    for (int i = 0; i < 8; ++i) add(608, 4000 + i, k++);
    for (int i = 0; i < 5; ++i) add(611, 1300 + i, k++);
    for (int i = 0; i < 8; ++i) add(605, 600 + i, k++);
    for (int i = 0; i < 4; ++i) add(609, 4230 + i, k++);
  });
  ASSERT_NE(child, nullptr);
  ASSERT_TRUE(m_frame->SendCommand(ID_SIMULATION));
  for (int i = 0; i < 3; ++i) child->OnSimTick();
  QCoreApplication::processEvents();
  CSimControlBar* bar = child->ControlBar();
  const QList<QWidget*> buttons = {bar->PowerButton(), bar->StartButton(), bar->StopButton(),
                                   bar->SuspendButton(), bar->StepButton()};
  auto global = [](QWidget* w) { return QRect(w->mapToGlobal(QPoint(0, 0)), w->size()); };
  for (CSimIoBar* io : {child->InputsBar(), child->OutputsBar()}) {
    const QRect shown = global(io->Scroller()->viewport());
    for (QWidget* control : io->findChildren<QWidget*>()) {
      if (!control->isVisible() || control->parentWidget() == nullptr) continue;
      const QRect part = global(control) & shown;
      for (QWidget* b : buttons)
        EXPECT_FALSE(part.intersects(global(b))) << control->objectName().toStdString();
    }
  }
  for (QWidget* b : buttons) EXPECT_TRUE(global(child->Dock(2)).contains(global(b)));
  for (int i = 0; i < 3; ++i) {
    QDockWidget* dock = child->Dock(i);
    const int title = dock->fontMetrics().horizontalAdvance(dock->windowTitle());
    EXPECT_GE(dock->width(), title + 40) << dock->windowTitle().toStdString();
  }
  if (qEnvironmentVariableIsSet("ZOVUZI_SHOT"))
    child->grab().save(qEnvironmentVariable("ZOVUZI_SHOT") + ".bars.png");

  // A step of three cycles: the bar keeps its width, the count stays after the step.
  const int width = child->Dock(2)->width();
  bar->SuspendButton()->click();
  bar->CyclesEdit()->setValue(3);
  bar->StepButton()->click();
  for (int i = 0; i < 6; ++i) child->OnSimTick();
  QCoreApplication::processEvents();
  EXPECT_EQ(child->GetActiveView()->Core().GetScanDriver().GetSimStepState(), SIM_STEP_READY);
  EXPECT_EQ(bar->RemainingLabel()->text(), QStringLiteral("1"));
  EXPECT_EQ(child->Dock(2)->width(), width);
  bar->SuspendButton()->click();  // resume: the count goes
  EXPECT_TRUE(bar->RemainingLabel()->text().isEmpty());
  EXPECT_EQ(child->Dock(2)->width(), width);
}

// The analog value pop-up has a frame, stays inside the diagram's window, and
// closes on Alt, on a right click in the diagram and when the main window is
// activated.
TEST_F(SimulationWindowTest, ValuePopupClosesOnAltRightClickAndActivation) {
  CChildFrame* child = OpenDiagram("popup.bfb", [](CZaradDoc& doc) {
    CBlockObj* ai = Add(doc, 608, CPoint(100, 100));
    ai->m_nNumber = 4000;
  });
  ASSERT_NE(child, nullptr);
  ASSERT_TRUE(m_frame->SendCommand(ID_SIMULATION));
  CZaradView* view = child->GetActiveView();
  CBlockObj* ai = child->GetDocument()->FindBlockByNumber(4000);
  auto open = [&] {
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, Centre(view, ai));
    return view->ValuePopup();
  };
  CAnalogSliderDlg* popup = open();
  ASSERT_NE(popup, nullptr);
  EXPECT_NE(popup->findChild<QFrame*>(QStringLiteral("analogSliderFrame")), nullptr);
  const QRect client(view->viewport()->mapToGlobal(QPoint(0, 0)), view->viewport()->size());
  EXPECT_TRUE(client.contains(popup->frameGeometry()));

  QTest::keyClick(view, Qt::Key_Alt);
  EXPECT_EQ(view->ValuePopup(), nullptr);

  ASSERT_NE(open(), nullptr);
  QTest::mousePress(view->viewport(), Qt::RightButton, {}, QPoint(5, 5));  // (its release shows a menu)
  EXPECT_EQ(view->ValuePopup(), nullptr);

  popup = open();
  ASSERT_NE(popup, nullptr);
  (void)QTest::qWaitForWindowActive(popup);
  m_frame->activateWindow();
  (void)QTest::qWaitForWindowActive(m_frame);
  for (int i = 0; i < 10 && view->ValuePopup(); ++i) QTest::qWait(10);
  EXPECT_EQ(view->ValuePopup(), nullptr);
}

}  // namespace
