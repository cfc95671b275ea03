// The plant's service and its tasks, read with sqlite3 through the "sys"
// package, in a themed window of the "tui" package. scripts/demo.sh runs it
// with the plant database in VEK_DEMO_DB; with VEK_DEMO_AUTOCLOSE=1 the
// window closes itself a few seconds after it is shown.
var sys = __package__.import('sys');
var tui = __package__.import('tui');
var db = sys.env('VEK_DEMO_DB');
function query(sql) {
    var text = sys.exec('sqlite3', ['-json', db, sql]);
    return text.trim() === '' ? [] : JSON.parse(text);
}
var service = query('SELECT name, host_name, host_ip, status, last_start_time FROM mes_pdt_service')[0] || {};
var tasks = query('SELECT s.id, s.script_name, s.trigger_type, s.trigger_param, p.type FROM mes_pdt_service_script s'
                  + ' JOIN mes_pdt_script p ON p.name = s.script_name ORDER BY s.id');

var win = tui.newMainWindow();
win.setWindowTitle('Plant form');
win.set('icon', 'industry');
var pane = tui.newWidget(win);
var form = tui.newFormLayout(pane);
function field(label, value, units) {
    var edit = tui.newLineEdit(pane);
    edit.text = value === undefined || value === null ? '' : String(value);
    edit.set('readonly', true);
    form.packWidget(edit, label, units || '');
    return edit;
}
field('Service', service.name);
field('Host', (service.host_name || '') + ' (' + (service.host_ip || '') + ')');
field('Status', service.status);
field('Started', service.last_start_time);
var task = tui.newComboBox(pane);
task.setItemList(tasks.map(function (t) {
    return {name: String(t.id), text: t.script_name + ' (' + t.type + ', ' + t.trigger_type + ')'};
}));
task.currentIndex = 0;
form.packWidget(task, 'Task', '');
var trigger = field('Trigger', '');
function showTrigger() {
    var t = tasks[task.currentIndex];
    trigger.text = t ? t.trigger_param : '';
}
task.signal.connect(function (type) { if (type === 'value_changed') showTrigger(); });
showTrigger();
var buttons = tui.newHBoxLayout();
var next = tui.newPushButton(pane);
next.text = 'Next task';
var close = tui.newPushButton(pane);
close.text = 'Close';
buttons.packStretch(1);
buttons.packWidget(next);
buttons.packWidget(close);
form.packLayout(buttons, '', '', 1, '', 2);
// A button's signal carries every event, hovering included: only clicks count.
next.signal.connect(function (type) {
    if (type !== 'clicked')
        return;
    task.currentIndex = (task.currentIndex + 1) % Math.max(1, tasks.length);
    showTrigger();
});
close.signal.connect(function (type) {
    if (type === 'clicked')
        tui.exit();
});
win.setBodyWidget(pane);
win.set('size', [520, 320]);
win.show();

// Buttons that are never shown serve as timers (animateClick clicks them
// later): one announces the window once it is laid out, the other closes it
// when there is no desktop to close it on.
var shown = tui.newPushButton();
var closer = tui.newPushButton();
shown.clicked.connect(function () {
    sys.stdoutWrite('shown\n');
    if (sys.env('VEK_DEMO_AUTOCLOSE') === '1')
        closer.animateClick(3000);
});
closer.clicked.connect(function () { tui.exit(); });
shown.animateClick(800);
tui.exec();
[win, shown, closer].forEach(function (w) { tui.deleteObject(w); });
