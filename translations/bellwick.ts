<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>ActiveDaysBox</name>
    <message>
        <source>Active days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Monday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>T&amp;uesday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Wednesday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Thu&amp;rsday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Friday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>S&amp;aturday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Sunday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deselect All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invert Selection</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BWClientProgram</name>
    <message>
        <source>Bellwick cannot start. %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CalendarCommands</name>
    <message>
        <source>iCalendar files (*.ics);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export reminders</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import a calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n reminder(s) imported from %1.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Not imported:</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n reminder(s) exported to %1.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Not exported:</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>... and %n more (see the details).</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>GroupCommands</name>
    <message>
        <source>Sending the message to %1…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not every group got the message.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The group messages could not be fetched: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Still sending the message to %1; you will be told how it ends.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The message reached %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GroupHealth</name>
    <message>
        <source>Switched off: its messages are not fetched.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the location did not answer in time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the group file does not open with this password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the group file could not be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the group file could not be fetched</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failing since %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last fetched %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not fetched yet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group %1 not reachable since %2</source>
        <extracomment>The tray&apos;s tooltip: a group switched on whose messages have not come for a while.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>what the location holds is not the group file</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GroupPasswords</name>
    <message>
        <source>The desktop&apos;s password store cannot be reached (%1). Groups whose passwords are kept there cannot be read until Bellwick is started again with the store at hand: %2.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GroupProblemText</name>
    <message>
        <source>Group %1: the group file could not be fetched; the message was not sent to this group.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group %1: the location did not answer in time; the message was not sent to this group.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group %1: the group file cannot be opened with this password; the message was not sent to this group.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group %1: the group file could not be read (%2); the message was not sent to this group.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group %1 is on a web address, which can only be read; the message was not sent to this group.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group %1: the changed group file could not be sent back; the message may not have reached this group.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group %1: the group file could not be fetched; its messages are as they were at the last fetch.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group %1: the location did not answer in time; its messages are as they were at the last fetch.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group %1: the group file cannot be opened with this password; its messages were left as they are.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group %1: the group file could not be read (%2); its messages were left as they are.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Group %1: %n reminder(s) whose time had passed before you joined the group were not shown.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Group %1 is busy: another member is changing its group file. The message waits and will be sent when the group is free.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group %1: what the location holds is not the group file (%2); the message was not sent to this group.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group %1: what was fetched is not the group file (%2). It was set aside, and the group&apos;s messages are as they were at the last fetch.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GroupTestText</name>
    <message>
        <source>The server&apos;s name could not be found. Check the address and the network connection.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server refused the connection: nothing answers at that address and port.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server did not answer in time.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No secure connection could be made: the server may not offer TLS, or not in the way chosen (explicit or implicit).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server&apos;s certificate is not trusted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Its SHA-256 fingerprint is
%1
(%2)

If the server&apos;s administrator confirms this fingerprint, choose the certificate authority that signed it as the group&apos;s CA file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WARNING: the SSH server %1 presents another key than the one trusted for it. Someone may be posing as the server, so nothing was sent.

Its %2 key now has the fingerprint
%3

If the administrator confirms that the key was changed, remove the old one from the known_hosts file (in Bellwick&apos;s data folder, or ~/.ssh/known_hosts) and use Test again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The SSH server is not trusted yet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server refused the login: check the user name and the password (or the key file).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder was not found at the location.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The account may not do this at the location (permission denied).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Details: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The SSH server %1 is not known yet. Its %2 key has the fingerprint

%3

Compare it with the one the server&apos;s administrator gives you. Trust this server from now on?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The web server accepts changes (WebDAV): messages can be sent to this group.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Messages cannot be sent to this group here: %1. Its messages are read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The location does not allow the lock folder beside the group file, so members who send at the same moment may overwrite each other&apos;s messages.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The location does not allow renaming files, so the group file is written in place: an upload that is cut off can damage it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The group file of &quot;%1&quot; could not be fetched (the server could not be reached, refused the login or answered with an error). The group was kept, but no new group file was created there. Check the group&apos;s settings and use Test.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The group file of &quot;%1&quot; could not be fetched (the web server could not be reached or answered with an error). The group was kept. Check the address and use Test.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The group file of &quot;%1&quot; could not be fetched (the folder could not be reached, or the file in it could not be read). The group was kept, but no new group file was created there. Check the location and use Test.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Bellwick Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back (Alt+Left)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forward (Alt+Right)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;h3&gt;This help page is missing&lt;/h3&gt;&lt;p&gt;The page &lt;b&gt;%1&lt;/b&gt; was not found in the help folder &lt;b&gt;%2&lt;/b&gt;.&lt;/p&gt;&lt;p&gt;The help pages are installed with the program; installing Bellwick again brings them back. Everything else in the program works without them.&lt;/p&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Forward</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KeychainSecretStore</name>
    <message>
        <source>The password store did not answer.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ListFiles</name>
    <message>
        <source>The file is damaged or was not written by Bellwick.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file is damaged, or the password of the group &quot;%1&quot; does not fit it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; could not be read completely: %2

Bellwick goes on with what it could read. The file as it was is kept as &quot;%3&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>your groups</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It is not a file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>your reminders</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the working list of the group &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bellwick cannot read %1 in &quot;%2&quot;: %3

The file was left as it was, and Bellwick ends now so that nothing is saved over it. Make the file readable again, or move it elsewhere to start without it, then start Bellwick again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>your postponed reminders</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; could not be read, nor moved aside. Reminders you put off come up again at once.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The group&apos;s messages come back with its next fetch.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; could not be read: %2

It was moved, as it was, to &quot;%3&quot;. %4</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LocationOptionsRows</name>
    <message>
        <source>None</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TLS (explicit, AUTH TLS)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TLS (implicit)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FTP security</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pass&amp;ive mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server opens the data connections: needed behind most routers and firewalls</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Securit&amp;y:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Certificate authority</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The system&apos;s trusted authorities</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Certificate authority file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C&amp;A file:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SSH key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SSH agent, ~/.ssh/id_ed25519, id_ecdsa or id_rsa</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SSH key file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Key file:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the %1 file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Se&amp;nd the password over plain HTTP, unencrypted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Anyone on the way between you and the server can read it. Use an https:// address where the server offers one.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainMenu</name>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;New...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>D&amp;uplicate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete e&amp;xpired messages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 days +</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Find...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find &amp;next</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Groups...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Autosort</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable &amp;sounds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show &amp;hints</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start with the &amp;desktop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Undo delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Import...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation></translation>
    </message>
    <message>
        <source>Reminders as desktop &amp;notifications</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MessageCommands</name>
    <message>
        <source>New message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete expired messages more than %1 days old?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MessageListModel</name>
    <message>
        <source>Date &amp; Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Simple message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Execute file(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Due time passed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delivered, next time pending</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pending, not delivered yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>postponed until %1</source>
        <extracomment>The date column of a message whose reminder the user put off: %1 the moment it comes back.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <extracomment>The Group column of a group&apos;s reminder: %1 the group, %2 the reminder&apos;s author.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>NextReminderText</name>
    <message>
        <source>Bellwick</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 — next: %2 %3</source>
        <extracomment>The tray icon&apos;s tooltip: %1 the program&apos;s name, %2 the due moment as the list shows it, %3 the title.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 — next: %2, postponed until %3</source>
        <extracomment>The tray icon&apos;s tooltip: %1 the program&apos;s name, %2 the title of a reminder the user put off, %3 when it comes back as the list shows a due moment.</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>NotificationReminders</name>
    <message>
        <source>Remind me in 10 minutes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Done</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PullProblemNotice</name>
    <message>
        <source>Group messages</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RecipientsPage</name>
    <message>
        <source>For recipients &amp;only (not for me)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Recipients:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Add...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>De&amp;lete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove the selected recipient</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReminderDispatcher</name>
    <message>
        <source>%1 (%2)</source>
        <extracomment>The sender of a reminder and, in parentheses, the group it came through.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>From %1</source>
        <extracomment>The last line of a reminder&apos;s desktop notification: %1 its author (and group).</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SettingsPreferencesStore</name>
    <message>
        <source>The preferences could not be saved to &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>Its lock file &quot;%1&quot; cannot be created: the folder cannot be written to.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Its lock file &quot;%1&quot; could not be written. Is the disk full?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SpareCopy</name>
    <message>
        <source>Spare copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>The spare copy &quot;%1&quot; holds %n reminder(s), but your list now holds only %2. Replace the spare copy with the list as it is now?

Choose Cancel to keep the spare copy as it is, for example when reminders went missing by mistake.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TBWAboutForm</name>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bellwick</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reminders for you and your team, from the notification area.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This product is free to use and distribute!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You can support this project</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TBWCForm</name>
    <message>
        <source>Bellwick</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Messages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No reminders yet. Press Ins or choose Message ▸ New to add one.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;New...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add a new message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit selected message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete selected message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter your name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bellwick (%1)</source>
        <extracomment>The main window&apos;s caption: the program&apos;s name and the user&apos;s name.</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TBWEditForm</name>
    <message>
        <source>New message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose a file to run</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Executable files (*.exe *.bat *.sh)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Simple message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Execute file(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current date, current time or tomorrow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Daily</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Weekly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Monthly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yearly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add a file to run</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current date and time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tomorrow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Te&amp;xt:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Title:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>T&amp;ype:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Date:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Repeat:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Files:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TBWFindForm</name>
    <message>
        <source>Find</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Search for:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Anywhere</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Title</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>S&amp;cope:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Case s&amp;ensitive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Find next</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No message contains &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No further message contains &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TBWGroupEditForm</name>
    <message>
        <source>General</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Title:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Location:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Additional settings for FTP location</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;User name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pass&amp;word:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group name already exists. Please change it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The group name is used as a file name: it cannot be empty, &quot;.&quot; or &quot;..&quot;, and cannot contain &quot;/&quot; or &quot;\&quot;. Please change it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Local file name, FTP, SFTP or HTTP address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The settings kept for this group could not be read (%1). Check them and press OK to keep them anew.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Additional settings for SFTP location</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Account for a web location (WebDAV)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Key passph&amp;rase:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TBWGroupSelectForm</name>
    <message>
        <source>Select groups</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Select one or more recipients:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TBWGroupsForm</name>
    <message>
        <source>Fetching the group file of &quot;%1&quot;...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Groups</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Groups (recipients)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Add...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Test</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group is not exists or connection failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group is OK.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group is exists, but password is wrong.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group is exists, but file is corrupted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Test result</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The group file of &quot;%1&quot; does not open with this password. The group was kept, but its messages cannot be read until the password is the one the other members use. Use Edit to change it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The location of group &quot;%1&quot; did not answer in time. The group was kept, but no new group file was created there. Use Test later to check the group.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The location of group &quot;%1&quot; holds a file that does not open with this password. The group was kept and the file was left as it is. Check the password and use Test.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server&apos;s key could not be kept: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TBWMsgForm</name>
    <message>
        <source>Reminder text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Minutes until the reminder comes back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>From:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subject:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>minutes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Remind me later:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;10 min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remind me again in 10 minutes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;30 min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remind me again in 30 minutes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 &amp;hour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remind me again in an hour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Tomorrow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remind me again tomorrow at this time</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TBWOverflowForm</name>
    <message numerus="yes">
        <source>More reminders (%n)</source>
        <extracomment>The caption of the window that lists the reminders beyond the pop-ups open at once.</extracomment>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Dismiss</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dismiss &amp;all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>More reminders came than Bellwick opens at once. They are listed here; open each to read it, or dismiss them.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reminders not yet opened</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Due</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>From</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TBWRunFilesForm</name>
    <message>
        <source>Run programs from the group &quot;%1&quot;?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A reminder that came through the group &quot;%1&quot; wants to open these programs. Run them only if you trust its author.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>From:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subject:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Programs to run</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Run</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do&amp;n&apos;t run</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The reminder &quot;%1&quot; could not open &quot;%2&quot;: there is no such file or program, or nothing to open it with.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TeamCommands</name>
    <message>
        <source>Message of group %1 by %2 (read-only)</source>
        <extracomment>The editor&apos;s caption for a group&apos;s reminder that someone else wrote: %1 the group, %2 the author.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit message of group %1</source>
        <extracomment>The editor&apos;s caption for a group&apos;s reminder that the user wrote: %1 the group.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only %1, who wrote &quot;%2&quot;, can delete it from group %3.</source>
        <extracomment>%1 the author of a group&apos;s reminder, %2 its title, %3 the group.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot; from group %2 for every member?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TeamRowsControl</name>
    <message>
        <source>Show your own reminders only, or your groups&apos; reminders as well</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>My reminders</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Show:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TransferCenter</name>
    <message>
        <source>Sending group %1…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fetching group %1…</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source> (%n transfers)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TrayController</name>
    <message>
        <source>Bellwick</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New reminder…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No reminders to come</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pause reminders for 1 hour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resume reminders</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TrayStatus</name>
    <message>
        <source>Reminders paused until %1</source>
        <extracomment>The tray icon&apos;s tooltip while reminders wait: %1 when they come, as the list shows a due moment.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <extracomment>A tray menu entry of a group&apos;s reminder: %1 its time and title, %2 the group.</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>XdgAutostart</name>
    <message>
        <source>Cannot write the autostart entry &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Its folder cannot be created.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot remove the autostart entry &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
